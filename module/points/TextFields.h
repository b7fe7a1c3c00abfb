// Cutting a line of text into fields, over views, for CTextFile and its
// free functions. The fields array keeps its strings from call to call:
// a field overwrites the string already at its place, so a caller that
// keeps one array for many lines pays no allocation per field.
#pragma once

#include <string_view>
#include <vector>

#include "base/CStringArray.h"

namespace uv::text {

int splitByDelimiter(std::wstring_view text, std::wstring_view delimiter, CStringArray& fields);
int splitByBoundaries(std::wstring_view text, const std::vector<int>& endPositions, CStringArray& fields);

}  // namespace uv::text
