// Where the module offers to keep a surface file, and how its file dialogs
// filter: "kvb" files of the engine.
#pragma once

#include "base/CString.h"

namespace uv {

constexpr const wchar_t* kSurfaceFileExtension = L"kvb";

// The current drawing's file name without its last extension, with a point
// and `extension`, in the drawing's own folder: "/work/site.dxf" gives
// "/work/site.kvb". Empty when the drawing has no file name yet.
CString DefaultFileForDrawing(const wchar_t* extension);

// "*.kvb|*.kvb|*.*|*.*||" for "kvb".
CString FileFilter(const wchar_t* extension);

}  // namespace uv
