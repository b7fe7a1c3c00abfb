// The value syntax of job scripts, independent of the C locale: numbers
// with "." as decimal point ("-12.5", "1e3"), points "x,y" or "x,y,z".
#pragma once

#include <optional>
#include <string_view>

#include "ge/AcGePoint3d.h"

namespace uv {

std::optional<double> parseScriptNumber(std::wstring_view text);
std::optional<int> parseScriptInteger(std::wstring_view text);
// z is 0 when the point has two coordinates.
std::optional<AcGePoint3d> parseScriptPoint(std::wstring_view text);
// "12.5", "-3", "1e-06": the shortest text that reads back to the same value.
std::wstring formatScriptNumber(double value);
std::wstring formatScriptPoint(const AcGePoint3d& p);

}  // namespace uv
