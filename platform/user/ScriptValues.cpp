#include "ScriptValues.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace uv {

namespace {

// [+-]? digits [. digits]? ([eE] [+-]? digits)?, with at least one digit
// before or after the point.
bool wellFormedNumber(std::wstring_view s) {
  size_t i = 0, n = s.size();
  if (i < n && (s[i] == L'+' || s[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < n && s[i] >= L'0' && s[i] <= L'9') ++i, ++digits;
  if (i < n && s[i] == L'.') {
    ++i;
    while (i < n && s[i] >= L'0' && s[i] <= L'9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (s[i] == L'e' || s[i] == L'E')) {
    ++i;
    if (i < n && (s[i] == L'+' || s[i] == L'-')) ++i;
    size_t exp = 0;
    while (i < n && s[i] >= L'0' && s[i] <= L'9') ++i, ++exp;
    if (exp == 0) return false;
  }
  return i == n;
}

}  // namespace

std::optional<double> parseScriptNumber(std::wstring_view text) {
  if (!wellFormedNumber(text)) return std::nullopt;
  std::string ascii(text.begin(), text.end());  // only ASCII characters got here
  const char* first = ascii.c_str();
  if (*first == '+') ++first;
  double value = 0;
  auto [end, ec] = std::from_chars(first, ascii.c_str() + ascii.size(), value);
  if (ec != std::errc() || end != ascii.c_str() + ascii.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> parseScriptInteger(std::wstring_view text) {
  size_t i = (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ? 1 : 0;
  if (i == text.size()) return std::nullopt;
  for (size_t k = i; k < text.size(); ++k)
    if (text[k] < L'0' || text[k] > L'9') return std::nullopt;
  std::string ascii(text.begin() + std::ptrdiff_t(i), text.end());
  int value = 0;
  auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (ec != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  return text[0] == L'-' ? -value : value;
}

std::optional<AcGePoint3d> parseScriptPoint(std::wstring_view text) {
  std::vector<double> coords;
  size_t start = 0;
  while (true) {
    size_t comma = text.find(L',', start);
    auto part = text.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start);
    auto v = parseScriptNumber(part);
    if (!v) return std::nullopt;
    coords.push_back(*v);
    if (comma == std::wstring_view::npos) break;
    start = comma + 1;
  }
  if (coords.size() < 2 || coords.size() > 3) return std::nullopt;
  return AcGePoint3d(coords[0], coords[1], coords.size() == 3 ? coords[2] : 0.0);
}

std::wstring formatScriptNumber(double value) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  return ec == std::errc() ? std::wstring(buf, end) : std::wstring(L"nan");
}

std::wstring formatScriptPoint(const AcGePoint3d& p) {
  std::wstring s = formatScriptNumber(p.x) + L"," + formatScriptNumber(p.y);
  if (p.z != 0) s += L"," + formatScriptNumber(p.z);
  return s;
}

}  // namespace uv
