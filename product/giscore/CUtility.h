// Small product utilities.
#pragma once

#include "base/CString.h"

class CUtility {
 public:
  // A fresh random GUID (version 4) in registry form, upper-case hex:
  // "{XXXXXXXX-XXXX-4XXX-YXXX-XXXXXXXXXXXX}", Y being 8, 9, A or B. The bits
  // come from the system's random source on every call, so copies of one
  // process (fork) never hand out the same text.
  static CString CreateGUID();
};
