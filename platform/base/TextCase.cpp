#include "TextCase.h"

namespace uv {

wchar_t foldCase(wchar_t c) {
  if (c < 0x80) return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c;
  // Latin-1: À..Þ except ×
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return wchar_t(c + 32);
  // Latin Extended-A: pairs (even upper, odd lower) with a few odd-aligned runs.
  if (c >= 0x100 && c <= 0x137) return wchar_t(c | 1);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? wchar_t(c + 1) : c;
  if (c >= 0x14A && c <= 0x177) return wchar_t(c | 1);
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? wchar_t(c + 1) : c;
  // Greek
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return wchar_t(c + 32);
  // Cyrillic
  if (c >= 0x410 && c <= 0x42F) return wchar_t(c + 32);
  if (c >= 0x400 && c <= 0x40F) return wchar_t(c + 80);
  return c;
}

wchar_t upperCase(wchar_t c) {
  if (c < 0x80) return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return wchar_t(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x137) return wchar_t(c & ~1);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : wchar_t(c - 1);
  if (c >= 0x14A && c <= 0x177) return wchar_t(c & ~1);
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : wchar_t(c - 1);
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return wchar_t(c - 32);
  if (c >= 0x430 && c <= 0x44F) return wchar_t(c - 32);
  if (c >= 0x450 && c <= 0x45F) return wchar_t(c - 80);
  return c;
}

int compareNoCase(std::wstring_view a, std::wstring_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const wchar_t x = foldCase(a[i]), y = foldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && compareNoCase(a, b) == 0;
}

std::string toUtf8(std::wstring_view s) {
  std::string out;
  out.reserve(s.size());
  for (wchar_t wc : s) {
    auto c = static_cast<char32_t>(wc);
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::wstring fromUtf8(std::string_view s) {
  std::wstring out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t c = 0;
    if (b0 < 0x80) { out += wchar_t(b0); ++i; continue; }
    if ((b0 & 0xE0) == 0xC0) { extra = 1; c = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; c = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; c = b0 & 0x07; }
    else { out += wchar_t(0xFFFD); ++i; continue; }
    bool ok = i + size_t(extra) < s.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if ((b & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (b & 0x3F);
    }
    if (!ok) { out += wchar_t(0xFFFD); ++i; continue; }
    out += wchar_t(c);
    i += size_t(extra) + 1;
  }
  return out;
}

}  // namespace uv
