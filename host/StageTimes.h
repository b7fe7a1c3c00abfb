// What each step of a batch run costs, for `cadhost --times`: after each
// action of the job (a command with the answers it took, or a host verb),
// and for the start and the end of the run, one line on standard output:
//
//   times: line 7: SURFMAN  cpu 0.012 s  wall 0.015 s  peak 41 MB
//
// CPU time is the process's (user and system) since the previous line (the
// first line counts from the start of the process); the peak is the
// process's largest resident memory so far. The last line, "total", sums
// the run.
#pragma once

#include <string>

namespace uv::host {

class StageTimes {
 public:
  // Times from now on; without enable() report() prints nothing.
  void enable();
  bool enabled() const { return m_enabled; }
  void report(const std::wstring& what);
  void reportTotal();

 private:
  bool m_enabled = false;
  double m_cpu = 0;
  double m_wall = 0;
  double m_startWall = 0;
};

}  // namespace uv::host
