// The process attach and detach of a module, when it exports "DllMain":
// the loader calls it with DLL_PROCESS_ATTACH right after loading the
// library (FALSE fails the load) and with DLL_PROCESS_DETACH right before
// unloading it. Library constructors and destructors cannot stand for
// these: a library that another one depends on, or one built with
// sanitizers, may stay in memory after dlclose, and its destructors then
// never run.
#pragma once

#include "base/WinTypes.h"

enum : DWORD { DLL_PROCESS_DETACH = 0, DLL_PROCESS_ATTACH = 1 };
using DllMainFn = BOOL (*)(HINSTANCE instance, DWORD reason, void* reserved);
