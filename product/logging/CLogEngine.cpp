#include "product/logging/CLogEngine.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <string_view>

namespace {

namespace fs = std::filesystem;

constexpr const char* kSwitchVariable = "KVLX_LOGGING";
constexpr const char* kFileVariable = "KVLX_LOG_FILE";

std::string envValue(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string trimmedLower(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(" \t\r\n");
  std::string out(s.substr(first, last - first + 1));
  for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// An unrecognised switch value is told once per value: the switch is asked
// for on every traced call, and one line is enough to find the typo.
void warnOnce(const std::string& value) {
  static std::mutex mutex;
  static std::set<std::string> told;
  std::lock_guard<std::mutex> lock(mutex);
  if (!told.insert(value).second) return;
  std::cerr << kSwitchVariable << ": unrecognised value \"" << value
            << "\" (use 1/0, on/off, yes/no or true/false); logging stays off\n";
}

fs::path defaultLogFile() {
  const std::string state = envValue("XDG_STATE_HOME");
  if (!state.empty() && fs::path(state).is_absolute()) return fs::path(state) / "kvlx" / "vantor.log";
  const std::string home = envValue("HOME");
  if (!home.empty()) return fs::path(home) / ".local" / "state" / "kvlx" / "vantor.log";
  return {};
}

}  // namespace

int CLogEngine::GetLoggingOnOff() {
  const std::string raw = envValue(kSwitchVariable);
  const std::string v = trimmedLower(raw);
  if (v.empty() || v == "0" || v == "off" || v == "no" || v == "false") return 0;
  if (v == "1" || v == "on" || v == "yes" || v == "true") return 1;
  warnOnce(raw);
  return 0;
}

std::string CLogEngine::GetLogFileFullPath() {
  const std::string given = envValue(kFileVariable);
  if (!given.empty()) {
    std::error_code ec;
    const fs::path full = fs::absolute(given, ec);
    return (ec ? fs::path(given) : full).lexically_normal().string();
  }
  const fs::path file = defaultLogFile();
  if (file.empty()) return {};
  std::error_code ec;  // a folder that cannot be made shows when the file is opened
  fs::create_directories(file.parent_path(), ec);
  return file.string();
}
