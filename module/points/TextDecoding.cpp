#include "module/points/TextDecoding.h"

#include <cstring>

namespace uv::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1250 from 0x80 up. The five bytes the code page leaves undefined
// stand for the C1 control of the same number, as Windows decodes them.
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// The length of the run of ASCII bytes at p, eight at a time.
size_t asciiRun(const unsigned char* p, const unsigned char* end) {
  const unsigned char* q = p;
  while (end - q >= 8) {
    uint64_t word;
    std::memcpy(&word, q, 8);
    if (word & 0x8080808080808080ull) break;
    q += 8;
  }
  while (q < end && *q < 0x80) ++q;
  return size_t(q - p);
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

Encoding encodingFromMark(const unsigned char* b, size_t n, size_t& markLength) {
  struct Mark {
    unsigned char bytes[4];
    size_t length;
    Encoding encoding;
  };
  static constexpr Mark kMarks[] = {
      {{0xFF, 0xFE, 0x00, 0x00}, 4, Encoding::kUtf32LE}, {{0x00, 0x00, 0xFE, 0xFF}, 4, Encoding::kUtf32BE},
      {{0xEF, 0xBB, 0xBF}, 3, Encoding::kUtf8},          {{0x0E, 0xFE, 0xFF}, 3, Encoding::kScsu},
      {{0xFF, 0xFE}, 2, Encoding::kUtf16LE},             {{0xFE, 0xFF}, 2, Encoding::kUtf16BE},
  };
  for (const Mark& m : kMarks) {
    if (n >= m.length && std::memcmp(b, m.bytes, m.length) == 0) {
      markLength = m.length;
      return m.encoding;
    }
  }
  markLength = 0;
  return Encoding::kCp1250;
}

bool isUnicodeMark(Encoding e) { return e != Encoding::kCp1250; }

void appendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    const char s[2] = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    out.append(s, 2);
  } else if (c < 0x10000) {
    const char s[3] = {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    out.append(s, 3);
  } else {
    const char s[4] = {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)), char(0x80 | ((c >> 6) & 0x3F)),
                       char(0x80 | (c & 0x3F))};
    out.append(s, 4);
  }
}

void Decoder::decode(const char* bytes, size_t count, std::string& out) {
  std::string joined;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes);
  if (!m_pending.empty()) {  // a sequence the last block cut: rare, so a copy is fine
    joined = m_pending;
    joined.append(bytes, count);
    m_pending.clear();
    p = reinterpret_cast<const unsigned char*>(joined.data());
    count = joined.size();
  }
  const unsigned char* end = p + count;
  switch (m_encoding) {
    case Encoding::kUtf8: decodeUtf8(p, end, out); break;
    case Encoding::kCp1250:
    case Encoding::kScsu: decodeCp1250(p, end, out); break;
    case Encoding::kUtf16LE:
    case Encoding::kUtf16BE: decodeUtf16(p, end, out); break;
    case Encoding::kUtf32LE:
    case Encoding::kUtf32BE: decodeUtf32(p, end, out); break;
  }
}

void Decoder::finish(std::string& out) {
  if (!m_pending.empty() || m_highSurrogate) appendUtf8(kReplacement, out);
  m_pending.clear();
  m_highSurrogate = 0;
}

void Decoder::decodeCp1250(const unsigned char* p, const unsigned char* end, std::string& out) {
  while (p < end) {
    size_t run = asciiRun(p, end);
    out.append(reinterpret_cast<const char*>(p), run);
    p += run;
    if (p < end) appendUtf8(kCp1250High[*p++ - 0x80], out);
  }
}

void Decoder::decodeUtf8(const unsigned char* p, const unsigned char* end, std::string& out) {
  while (p < end) {
    size_t run = asciiRun(p, end);
    out.append(reinterpret_cast<const char*>(p), run);
    p += run;
    if (p == end) break;
    const unsigned char c = *p;
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (length == 1 || c > 0xF4 || c == 0xC0 || c == 0xC1) {  // stray continuation or never a lead
      appendUtf8(kReplacement, out);
      ++p;
      continue;
    }
    size_t have = 1;
    while (have < length && p + have < end && isContinuation(p[have])) ++have;
    if (have < length && p + have == end) {  // the block ends inside the sequence
      m_pending.assign(reinterpret_cast<const char*>(p), have);
      return;
    }
    if (have < length) {
      appendUtf8(kReplacement, out);
      p += have;
      continue;
    }
    char32_t code = c & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) code = (code << 6) | (p[i] & 0x3F);
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) appendUtf8(kReplacement, out);
    else out.append(reinterpret_cast<const char*>(p), length);
    p += length;
  }
}

void Decoder::decodeUtf16(const unsigned char* p, const unsigned char* end, std::string& out) {
  const bool little = m_encoding == Encoding::kUtf16LE;
  for (; end - p >= 2; p += 2) {
    const char32_t unit = little ? char32_t(p[0] | (p[1] << 8)) : char32_t((p[0] << 8) | p[1]);
    if (m_highSurrogate) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        appendUtf8(0x10000 + ((m_highSurrogate - 0xD800) << 10) + (unit - 0xDC00), out);
        m_highSurrogate = 0;
        continue;
      }
      appendUtf8(kReplacement, out);
      m_highSurrogate = 0;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) m_highSurrogate = unit;
    else if (unit >= 0xDC00 && unit <= 0xDFFF) appendUtf8(kReplacement, out);
    else appendUtf8(unit, out);
  }
  if (p < end) m_pending.assign(reinterpret_cast<const char*>(p), size_t(end - p));
}

void Decoder::decodeUtf32(const unsigned char* p, const unsigned char* end, std::string& out) {
  const bool little = m_encoding == Encoding::kUtf32LE;
  for (; end - p >= 4; p += 4) {
    const char32_t code = little ? char32_t(p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24))
                                 : char32_t((uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]);
    appendUtf8(code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? kReplacement : code, out);
  }
  if (p < end) m_pending.assign(reinterpret_cast<const char*>(p), size_t(end - p));
}

void appendWide(std::string_view utf8, std::wstring& out) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const unsigned char* end = p + utf8.size();
  const size_t start = out.size();
  out.resize(start + utf8.size());  // never more characters than bytes
  wchar_t* w = out.data() + start;
  while (p < end) {
    const unsigned char c = *p;
    if (c < 0x80) {
      *w++ = wchar_t(c);
      ++p;
      continue;
    }
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    char32_t code = c & (0x7F >> length);
    for (size_t i = 1; i < length && p + i < end; ++i) code = (code << 6) | (p[i] & 0x3F);
    *w++ = wchar_t(code);
    p += length;
  }
  out.resize(size_t(w - out.data()));
}

std::wstring toWide(std::string_view utf8) {
  std::wstring out;
  appendWide(utf8, out);
  return out;
}

std::string toUtf8(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (wchar_t c : wide) {
    const char32_t code = char32_t(c);
    appendUtf8(code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? kReplacement : code, out);
  }
  return out;
}

char32_t firstCharacter(std::string_view utf8) {
  if (utf8.empty()) return 0;
  const unsigned char c = static_cast<unsigned char>(utf8[0]);
  if (c < 0x80) return c;
  const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
  char32_t code = c & (0x7F >> length);
  for (size_t i = 1; i < length && i < utf8.size(); ++i) code = (code << 6) | (utf8[i] & 0x3F);
  return code;
}

bool isAscii(std::string_view text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
  return asciiRun(p, p + text.size()) == text.size();
}

size_t characterCount(std::string_view utf8) {
  size_t n = 0;
  for (char c : utf8) n += !isContinuation(static_cast<unsigned char>(c));
  return n;
}

size_t offsetOfCharacter(std::string_view utf8, size_t characters) {
  size_t seen = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (!isContinuation(static_cast<unsigned char>(utf8[i])) && seen++ == characters) return i;
  }
  return utf8.size();
}

}  // namespace uv::text
