#include "EdStatusBar.h"

#include "ProgressMeter.h"

int acedSetStatusBarProgressMeter(const wchar_t* label, int minPos, int maxPos) {
  return uv::ProgressMeter::instance().start(label ? label : L"", minPos, maxPos) ? 0 : -1;
}

int acedSetStatusBarProgressMeterPos(int pos) { return uv::ProgressMeter::instance().setPosition(pos) ? 0 : -1; }

void acedRestoreStatusBar() { uv::ProgressMeter::instance().restore(); }
