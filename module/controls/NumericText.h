// The rules of numeric edit fields, apart from any control: which texts a
// person may type, how the program writes a value, and how a text reads.
//
//   integer digits  8      "12345678.1234" is the longest number
//   fraction digits 4      0 makes an integer field
//   decimal '.'  group ','  "1,234.5" reads 1234.5
//   negative allowed       a '-' only as the first character
#pragma once

#include <string>

namespace uv {

struct NumericFormat {
  int integerDigits = 8;
  int fractionDigits = 4;
  wchar_t decimalSeparator = L'.';
  wchar_t groupSeparator = L',';  // 0: none
  bool allowNegative = true;
};

// Whether a person may have typed this far: an optional leading minus,
// digits with group separators (each after a digit), one decimal separator,
// fraction digits; at most so many digits each side. The empty text, "-"
// and "12." are acceptable on the way to a number.
bool isAcceptableNumericText(const std::wstring& text, const NumericFormat& format);

// A value written by the program: six decimals, then trailing zeros and a
// trailing separator removed (10 gives "10", 2.5 "2.5"); never "-0".
std::wstring formatNumericValue(double value, const NumericFormat& format);

// Keeps the digits, the first decimal separator and a minus sign (put in
// front) and reads that as a number; nothing left reads as 0.
double readNumericText(const std::wstring& text, const NumericFormat& format);

}  // namespace uv
