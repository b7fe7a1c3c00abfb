#include "module/points/NumberText.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <locale.h>
#include <string>

#include "module/points/TextDecoding.h"

namespace uv {

namespace {

template <class Char>
bool isDigit(Char c) {
  return c >= Char('0') && c <= Char('9');
}

// The "C" locale, so that a host that took the user's locale (where the
// decimal point may be a comma) still reads "12.5" as twelve and a half.
locale_t classicLocale() {
  static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
  return locale;
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactIntegers = uint64_t(1) << 53;

// The value of the number text [first, last) (digits, ".", exponent, no
// sign), rounded to the nearest double as the C library rounds it.
double valueOfText(const char* first, const char* last) {
  double value = 0.0;
  auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: as the C library reads it
    // (infinity, or 0 and the like).
    const std::string copy(first, last);
    value = strtod_l(copy.c_str(), nullptr, classicLocale());
  }
  return value;
}

double valueOfText(const wchar_t* first, const wchar_t* last) {
  // Copied as ASCII, on the stack for the numbers of survey files.
  char small[128];
  std::string large;
  const size_t length = size_t(last - first);
  char* text = small;
  if (length > sizeof small) {
    large.resize(length);
    text = large.data();
  }
  for (size_t i = 0; i < length; ++i) text[i] = char(first[i]);
  return valueOfText(text, text + length);
}

// The number at p (white space already skipped), up to `end` at most.
//
// Most survey numbers have at most 15 significant digits and a small scale:
// the digits then make an exact integer and one multiplication or division
// by an exact power of ten rounds once, to the nearest double, which is the
// value the full conversion gives. Other texts take the full conversion.
template <class Char>
double leadingNumber(const Char* p, const Char* end) {
  bool negative = false;
  if (p < end && (*p == Char('+') || *p == Char('-'))) negative = *p++ == Char('-');
  const Char* first = p;
  uint64_t mantissa = 0;
  int scale = 0;  // the power of ten the mantissa is multiplied by
  bool exact = true;
  size_t digits = 0;
  auto take = [&](Char c, bool fraction) {
    ++digits;
    if (mantissa < kExactIntegers / 10) {
      mantissa = mantissa * 10 + uint64_t(c - Char('0'));
      scale -= fraction;
    } else if (c != Char('0')) {
      exact = false;
    } else if (!fraction) {
      ++scale;  // a zero past the exact range multiplies by ten
    }
  };
  for (; p < end && isDigit(*p); ++p) take(*p, false);
  if (p < end && *p == Char('.'))
    for (++p; p < end && isDigit(*p); ++p) take(*p, true);
  if (digits == 0) return 0.0;
  if (p < end && (*p == Char('e') || *p == Char('E'))) {
    const Char* q = p + 1;
    bool exponentNegative = false;
    if (q < end && (*q == Char('+') || *q == Char('-'))) exponentNegative = *q++ == Char('-');
    if (q < end && isDigit(*q)) {
      int exponent = 0;
      for (; q < end && isDigit(*q); ++q)
        if (exponent < 100000) exponent = exponent * 10 + int(*q - Char('0'));
      scale += exponentNegative ? -exponent : exponent;
      p = q;
    }
  }
  double value;
  if (exact && mantissa == 0) value = 0.0;
  else if (exact && scale >= 0 && scale <= 22) value = double(mantissa) * kExactPowers[scale];
  else if (exact && scale < 0 && scale >= -22) value = double(mantissa) / kExactPowers[-scale];
  else value = valueOfText(first, p);
  return negative ? -value : value;
}

}  // namespace

double NumberFromText(const wchar_t* text) {
  if (!text) return 0.0;
  const wchar_t* p = text;
  while (*p && std::iswspace(wint_t(*p))) ++p;
  return leadingNumber(p, p + std::wcslen(p));
}

double NumberFromUtf8(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  // White space is the C library's to judge, as for wide text; a digit,
  // sign or point, where most fields start, is none in any locale.
  auto startsNumber = [](char c) { return isDigit(c) || c == '-' || c == '+' || c == '.'; };
  while (p < end && static_cast<unsigned char>(*p) < 0x80 && !startsNumber(*p) &&
         std::iswspace(wint_t(static_cast<unsigned char>(*p))))
    ++p;
  // Beyond ASCII, white space and all, on the wide text.
  if (p < end && static_cast<unsigned char>(*p) >= 0x80) return NumberFromText(text::toWide(text).c_str());
  return leadingNumber(p, end);
}

}  // namespace uv
