#include "module/points/NumberText.h"

#include <clocale>
#include <cstdlib>
#include <cwctype>
#include <locale.h>
#include <string>

namespace uv {

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The "C" locale, so that a host that took the user's locale (where the
// decimal point may be a comma) still reads "12.5" as twelve and a half.
locale_t classicLocale() {
  static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
  return locale;
}

}  // namespace

double NumberFromText(const wchar_t* text) {
  if (!text) return 0.0;
  const wchar_t* p = text;
  while (*p && std::iswspace(wint_t(*p))) ++p;

  // The longest prefix that is a number, copied as ASCII.
  std::string number;
  if (*p == L'+' || *p == L'-') number += char(*p++);
  size_t digits = 0;
  for (; isDigit(*p); ++p, ++digits) number += char(*p);
  if (*p == L'.') {
    number += '.';
    for (++p; isDigit(*p); ++p, ++digits) number += char(*p);
  }
  if (digits == 0) return 0.0;
  if (*p == L'e' || *p == L'E') {
    const wchar_t* q = p + 1;
    std::string exponent = "e";
    if (*q == L'+' || *q == L'-') exponent += char(*q++);
    if (isDigit(*q)) {
      for (; isDigit(*q); ++q) exponent += char(*q);
      number += exponent;
    }
  }
  return strtod_l(number.c_str(), nullptr, classicLocale());
}

}  // namespace uv
