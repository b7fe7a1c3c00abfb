// What a fuzz target checks beyond "no crash": a property that must hold for
// every input the reader accepts. A broken property aborts, which both
// libFuzzer and the replay test report as a failure with the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define UV_FUZZ_CHECK(condition, what)                                                      \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: fuzz property broken: %s\n", __FILE__, __LINE__, what);  \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)
