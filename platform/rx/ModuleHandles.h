// Instance handles of the host and of loaded modules. A handle is an opaque
// value unique for the life of the process (never reused after an unload);
// the loader maps it back to its module.
#pragma once

#include "base/WinTypes.h"

// Full path of the module's file, at most size-1 characters and a NUL.
// A null handle names the host program itself. Returns the number of
// characters copied (size when the path was cut short), 0 for an unknown handle.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

// The handle of a loaded module by its file name (with or without folder and
// extension); null for no name gives the host's own handle.
HMODULE GetModuleHandleW(LPCWSTR moduleName);

namespace uv {
// The handle of the host program: the resource handle that is current when
// no module has pushed its own.
HINSTANCE hostInstance();
// While the loader runs a module's library constructors (its process-attach
// step), the handle it gave that module; null at any other time.
HINSTANCE attachingModuleInstance();
}  // namespace uv
