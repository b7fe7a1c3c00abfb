// The number at the start of a field or attribute text, read the way survey
// files and drawings write numbers, whatever the process's locale says:
//
//   "  -12.5e2xyz"  -1250     white space skipped, sign, digits, "." and an
//   "+.5"           0.5       exponent; reading stops at the first character
//   "12,5"          12        that does not fit
//   "E5", "", "-"   0         no leading number reads as 0
//   "1e999"         infinity  as the C library reads a number too large
//
// Only the digits 0-9 count; "inf", "nan" and hexadecimal numbers read as 0.
// The value is the double nearest to the decimal text.
#pragma once

#include <string_view>

namespace uv {

double NumberFromText(const wchar_t* text);
// The same reading of UTF-8 text (a field of a point file), without making
// it wide first.
double NumberFromUtf8(std::string_view text);

}  // namespace uv
