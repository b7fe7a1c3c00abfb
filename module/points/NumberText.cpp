#include "module/points/NumberText.h"

#include <charconv>
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

  // The longest prefix that is a number, copied as ASCII (on the stack for
  // the numbers of survey files; a text file page reads millions).
  char small[128];
  std::string large;
  size_t length = 0;
  auto put = [&](wchar_t c) {
    if (length < sizeof small) small[length] = char(c);
    else {
      if (large.empty()) large.assign(small, length);
      large += char(c);
    }
    ++length;
  };
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
  size_t digits = 0;
  for (; isDigit(*p); ++p, ++digits) put(*p);
  if (*p == L'.') {
    put(L'.');
    for (++p; isDigit(*p); ++p, ++digits) put(*p);
  }
  if (digits == 0) return 0.0;
  if ((*p == L'e' || *p == L'E') && (isDigit(p[1]) || ((p[1] == L'+' || p[1] == L'-') && isDigit(p[2])))) {
    put(L'e');
    ++p;
    if (*p == L'+' || *p == L'-') put(*p++);
    for (; isDigit(*p); ++p) put(*p);
  }

  const char* first = large.empty() ? small : large.data();
  double value = 0.0;
  auto [end, error] = std::from_chars(first, first + length, value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: as the C library reads it
    // (infinity, or 0 and the like).
    std::string copy(first, length);
    value = strtod_l(copy.c_str(), nullptr, classicLocale());
  }
  return negative ? -value : value;
}

}  // namespace uv
