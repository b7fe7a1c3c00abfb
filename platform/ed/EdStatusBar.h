// The status bar's progress meter (uv::ProgressMeter): 0 on success, -1
// for a range whose minimum lies above its maximum or no meter to move.
#pragma once

int acedSetStatusBarProgressMeter(const wchar_t* label, int minPos, int maxPos);
int acedSetStatusBarProgressMeterPos(int pos);
void acedRestoreStatusBar();
