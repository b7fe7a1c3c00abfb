// Letter-case folding and UTF-8 conversion, independent of the C locale so
// that names compare the same way on every machine.
#pragma once

#include <string>
#include <string_view>

namespace uv {

// Lower-case form of one character: ASCII, Latin-1, Latin Extended-A,
// Greek and Cyrillic letters; every other character maps to itself.
wchar_t foldCase(wchar_t ch);
wchar_t upperCase(wchar_t ch);

// <0, 0, >0 like wcscmp, after folding both sides.
int compareNoCase(std::wstring_view a, std::wstring_view b);
bool equalsNoCase(std::wstring_view a, std::wstring_view b);

// UTF-8 <-> wide. Invalid UTF-8 bytes decode as U+FFFD; nothing is lost silently
// for valid input.
std::string toUtf8(std::wstring_view s);
std::wstring fromUtf8(std::string_view s);

}  // namespace uv
