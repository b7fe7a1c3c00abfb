// Sets (or removes) one environment variable for the life of a test scope
// and puts the old value back afterwards, so tests of configuration read
// from the environment do not leak into each other.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace uv::test {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    set(value);
  }
  ~ScopedEnv() { set(m_old ? m_old->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  // nullptr removes the variable.
  void set(const char* value) {
    if (value) ::setenv(m_name.c_str(), value, 1);
    else ::unsetenv(m_name.c_str());
  }

 private:
  std::string m_name;
  std::optional<std::string> m_old;
};

}  // namespace uv::test
