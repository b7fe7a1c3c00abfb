// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tin/LargeArrays.h"

namespace {

// The kernel's flags (VmFlags in /proc/self/smaps) of the mapping that holds address a, or ""
// where no mapping holds it.
std::string mappingFlags(const void* a) {
  const auto at = reinterpret_cast<std::uintptr_t>(a);
  std::ifstream smaps("/proc/self/smaps");
  std::string line;
  bool inside = false;
  while (std::getline(smaps, line)) {
    std::uintptr_t from = 0, to = 0;
    char dash = 0;
    std::istringstream head(line);
    if (head >> std::hex >> from >> dash >> to && dash == '-') {
      inside = from <= at && at < to;
      continue;
    }
    if (inside && line.rfind("VmFlags:", 0) == 0) return line;
  }
  return "";
}

bool hugePagesOnAdvice() {
  std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
  std::string text;
  std::getline(mode, text);
  return text.find("[madvise]") != std::string::npos || text.find("[always]") != std::string::npos;
}

TEST(LargeArrays, LargeRoomIsAdvisedHugePagesAndSmallRoomIsLeftAlone) {
  if (!hugePagesOnAdvice()) GTEST_SKIP() << "this system gives no huge pages on advice";
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  std::vector<double> large, withRoom, small;
  tin::detail::reserveLarge(large, 64 * kMiB / sizeof(double));
  tin::detail::reserveWithRoom(withRoom, 32 * kMiB / sizeof(double));
  tin::detail::reserveLarge(small, kMiB / sizeof(double));
  // The advice covers the whole huge pages inside the room: from its first 2 MiB boundary to its
  // last, the middle always among them.
  for (const std::vector<double>* v : {&large, &withRoom}) {
    const auto* middle = v->data() + v->capacity() / 2;
    EXPECT_NE(mappingFlags(middle).find(" hg"), std::string::npos) << mappingFlags(middle);
  }
  EXPECT_EQ(mappingFlags(small.data()).find(" hg"), std::string::npos) << mappingFlags(small.data());
  // The room works as any other: filled to the end and read back.
  large.assign(large.capacity(), 1.5);
  EXPECT_EQ(large.back(), 1.5);
}

}  // namespace
