#include "module/controls/NumericText.h"

#include <charconv>
#include <string>

namespace uv {

namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

bool isAcceptableNumericText(const std::wstring& text, const NumericFormat& f) {
  size_t i = 0;
  if (i < text.size() && text[i] == L'-') {
    if (!f.allowNegative) return false;
    ++i;
  }
  int integerDigits = 0;
  int fractionDigits = 0;
  bool afterDecimal = false;
  wchar_t previous = 0;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (isDigit(c)) {
      int& count = afterDecimal ? fractionDigits : integerDigits;
      if (++count > (afterDecimal ? f.fractionDigits : f.integerDigits)) return false;
    } else if (c == f.decimalSeparator) {
      if (afterDecimal || f.fractionDigits <= 0) return false;
      afterDecimal = true;
    } else if (f.groupSeparator && c == f.groupSeparator) {
      if (afterDecimal || !isDigit(previous)) return false;
    } else {
      return false;
    }
    previous = c;
  }
  return true;
}

// Conversions go through <charconv>, which no locale changes: a front end
// may set one whose decimal point is a comma.
std::wstring formatNumericValue(double value, const NumericFormat& f) {
  char buffer[400];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr;
  std::wstring text(buffer, end);
  if (text.find(L'.') != std::wstring::npos) {
    while (!text.empty() && text.back() == L'0') text.pop_back();
    if (!text.empty() && text.back() == L'.') text.pop_back();
  }
  if (text == L"-0") text = L"0";
  if (f.decimalSeparator != L'.')
    for (wchar_t& c : text)
      if (c == L'.') c = f.decimalSeparator;
  return text;
}

double readNumericText(const std::wstring& text, const NumericFormat& f) {
  std::wstring kept;
  bool negative = false;
  bool separator = false;
  for (wchar_t c : text) {
    if (isDigit(c)) {
      kept += c;
    } else if (c == f.decimalSeparator && !separator) {
      kept += L'.';
      separator = true;
    } else if (c == L'-') {
      negative = true;
    }
  }
  if (kept.empty() || kept == L".") return 0.0;
  std::string ascii(kept.begin(), kept.end());
  if (ascii.front() == '.') ascii.insert(ascii.begin(), '0');
  double value = 0.0;
  std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  return negative ? -value : value;
}

}  // namespace uv
