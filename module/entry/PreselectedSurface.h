// The preselected surface name: empty when the module is loaded, written
// only by the entry functions that take a surface name, never cleared. The
// seven commands whose dialogs work on one surface hand it to the dialog.
#pragma once

#include "base/CString.h"

extern CString g_strPreselectedSurface;
