#include "module/entry/CFunctionTrace.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>

#include "product/logging/CLogEngine.h"

namespace {

constexpr int kPrefixBufferSize = 999;
constexpr char kEntering[] = "Entering function ";
constexpr char kExiting[] = "Exiting function ";

// Where the module's records go, chosen by the first record written.
struct LogOutput {
  bool chosen = false;
  std::ofstream file;
};

LogOutput& output() {
  static LogOutput out;
  return out;
}

std::ostream& stream() {
  LogOutput& out = output();
  if (!out.chosen) {
    out.file.open(CLogEngine::GetLogFileFullPath(), std::ios::out | std::ios::app);
    out.chosen = true;
  }
  return out.file.is_open() ? static_cast<std::ostream&>(out.file) : std::cout;
}

// The highest level written, fixed the first time it is asked for.
int highestLevel() {
  static const int level = 3;
  return level;
}

const char* baseName(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

}  // namespace

CFunctionTrace::CFunctionTrace(const char* sourceFile, int line, const char* functionName, int level)
    : m_sourceFile(sourceFile ? sourceFile : ""),
      m_line(line),
      m_functionName(functionName ? functionName : ""),
      m_level(level) {
  Write(kEntering);
}

CFunctionTrace::~CFunctionTrace() {
  // A failing log must not turn a function's normal end, or an exception
  // already on its way, into a crash.
  try {
    Write(kExiting);
  } catch (...) {
  }
}

void CFunctionTrace::CloseLog() {
  LogOutput& out = output();
  if (out.file.is_open()) out.file.close();
  out.file.clear();
  out.chosen = false;
}

std::string CFunctionTrace::FormatRecord(const char* message, int hours, int minutes, int seconds) const {
  char time[64];
  if (hours < 0) std::snprintf(time, sizeof time, "%02d:%02d:%02d", -1, -1, -1);
  else std::snprintf(time, sizeof time, "%02d:%02d:%02d", hours, minutes, seconds);
  char prefix[kPrefixBufferSize];
  std::snprintf(prefix, sizeof prefix, "[%s] %-32s(%5.5i): [%-16s], ", time, baseName(m_sourceFile), m_line,
                m_functionName.c_str());
  return std::string(prefix) + message + ", " + m_functionName;
}

void CFunctionTrace::Write(const char* message) const {
  if (CLogEngine::GetLoggingOnOff() == 0 || m_level > highestLevel()) return;
  int hours = -1, minutes = -1, seconds = -1;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now != std::time_t(-1) && localtime_r(&now, &local)) {
    hours = local.tm_hour;
    minutes = local.tm_min;
    seconds = local.tm_sec;
  }
  std::ostream& out = stream();
  out << FormatRecord(message, hours, minutes, seconds) << '\n';
  out.flush();
}
