// The host's status-bar progress meter for the length of a scope: started
// by the constructor, restored by the destructor, also when an exception
// passes, so a failed load never leaves the meter standing.
#pragma once

#include "ed/EdStatusBar.h"

namespace uv {

class StatusBarProgress {
 public:
  StatusBarProgress(const wchar_t* label, int minPos, int maxPos) {
    acedSetStatusBarProgressMeter(label, minPos, maxPos);
  }
  ~StatusBarProgress() { acedRestoreStatusBar(); }
  StatusBarProgress(const StatusBarProgress&) = delete;
  StatusBarProgress& operator=(const StatusBarProgress&) = delete;

  void set(int pos) { acedSetStatusBarProgressMeterPos(pos); }
};

}  // namespace uv
