#include "db/dxf/TextCodec.h"

#include "base/TextCase.h"

namespace uv::dxf {

namespace {

// Windows-1252 characters 0x80-0x9F; the rest of the page is Latin-1.
const wchar_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

std::wstring fromCp1252(std::string_view s) {
  std::wstring out;
  out.reserve(s.size());
  for (unsigned char c : s) out += (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : wchar_t(c);
  return out;
}

int hexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// \U+XXXX (four hex digits) stands for one character.
std::wstring unescape(std::wstring s) {
  size_t pos = s.find(L"\\U+");
  if (pos == std::wstring::npos) return s;
  std::wstring out;
  size_t from = 0;
  while (pos != std::wstring::npos) {
    int value = 0;
    bool ok = pos + 7 <= s.size();
    for (size_t i = 0; ok && i < 4; ++i) {
      const int h = hexValue(s[pos + 3 + i]);
      ok = h >= 0;
      value = value * 16 + h;
    }
    if (ok) {
      out.append(s, from, pos - from);
      out += wchar_t(value);
      from = pos + 7;
    }
    pos = s.find(L"\\U+", ok ? pos + 7 : pos + 1);
  }
  out.append(s, from, std::wstring::npos);
  return out;
}

}  // namespace

bool isValidUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    size_t extra = 0;
    if (c < 0x80) extra = 0;
    else if (c >= 0xC2 && c <= 0xDF) extra = 1;
    else if ((c & 0xF0) == 0xE0) extra = 2;
    else if (c >= 0xF0 && c <= 0xF4) extra = 3;
    else return false;
    if (s.size() - i <= extra) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

std::wstring TextCodec::decode(std::string_view raw) const {
  bool ascii = true;
  for (unsigned char c : raw) ascii = ascii && c < 0x80;
  std::wstring wide = (ascii || m_utf8 || isValidUtf8(raw)) ? fromUtf8(raw) : fromCp1252(raw);
  return unescape(std::move(wide));
}

std::string TextCodec::encode(std::wstring_view text) {
  std::wstring escaped;
  escaped.reserve(text.size());
  for (wchar_t c : text) {
    if (c < 0x20 || c == 0x7F) {
      static const wchar_t* digits = L"0123456789ABCDEF";
      escaped += L"\\U+00";
      escaped += digits[(c >> 4) & 0xF];
      escaped += digits[c & 0xF];
    } else {
      escaped += c;
    }
  }
  return toUtf8(escaped);
}

}  // namespace uv::dxf
