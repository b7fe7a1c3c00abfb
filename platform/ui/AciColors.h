// The CAD colour index (1 to 255) as red, green and blue, and the names of
// the seven standard colours. 0 is ByBlock and 256 ByLayer, which have no
// colour of their own.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"

namespace uv {

// 0x00BBGGRR; black for an index outside 1 to 255.
COLORREF aciToRgb(int index);
// "Red" ... "White" for 1 to 7, "ByBlock", "ByLayer", else "Colour 30".
CString aciName(int index);

}  // namespace uv
