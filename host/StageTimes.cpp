#include "host/StageTimes.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "base/TextCase.h"

namespace uv::host {

namespace {

double cpuSeconds(const rusage& u) {
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + 1e-6 * double(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The memory the process holds now (its resident pages): beside the peak, what a step kept.
long residentKb() {
  long pages = 0, resident = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  const bool read = std::fscanf(statm, "%ld %ld", &pages, &resident) == 2;
  std::fclose(statm);
  return read ? resident * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

void print(const std::wstring& what, double cpu, double wall, long peakKb) {
  std::fflush(stdout);
  std::printf("times: %s  cpu %.3f s  wall %.3f s  peak %ld MB  now %ld MB\n", toUtf8(what).c_str(), cpu, wall,
              peakKb / 1024, residentKb() / 1024);
  std::fflush(stdout);
}

}  // namespace

void StageTimes::enable() {
  m_enabled = true;
  m_cpu = 0;  // the process's own start counts with the first step
  m_wall = m_startWall = wallSeconds();
}

void StageTimes::report(const std::wstring& what) {
  if (!m_enabled) return;
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  const double cpu = cpuSeconds(u), wall = wallSeconds();
  print(what, cpu - m_cpu, wall - m_wall, u.ru_maxrss);
  m_cpu = cpu;
  m_wall = wall;
}

void StageTimes::reportTotal() {
  if (!m_enabled) return;
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  print(L"total", cpuSeconds(u), wallSeconds() - m_startWall, u.ru_maxrss);
}

}  // namespace uv::host
