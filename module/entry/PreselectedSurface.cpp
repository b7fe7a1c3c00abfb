#include "module/entry/PreselectedSurface.h"

CString g_strPreselectedSurface;
