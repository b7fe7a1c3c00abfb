#include "CString.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <stdexcept>

#include "TextCase.h"

CString::CString(const char* utf8) : m_s(utf8 ? uv::fromUtf8(utf8) : std::wstring()) {}
CString::CString(const std::string& utf8) : m_s(uv::fromUtf8(utf8)) {}

std::string CString::toUtf8() const { return uv::toUtf8(m_s); }

wchar_t CString::GetAt(int i) const {
  if (i < 0 || i >= GetLength()) throw std::out_of_range("CString index out of range");
  return m_s[size_t(i)];
}

void CString::SetAt(int i, wchar_t ch) {
  if (i < 0 || i >= GetLength()) throw std::out_of_range("CString index out of range");
  m_s[size_t(i)] = ch;
}

wchar_t* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_s.resize(size_t(minLength));
  return m_s.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
  m_s.resize(size_t(std::max(length, 0)));
  return m_s.data();
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) {
    const size_t n = std::wcslen(m_s.c_str());
    m_s.resize(n);
  } else {
    m_s.resize(size_t(newLength));
  }
}

int CString::Compare(const wchar_t* s) const {
  const int r = m_s.compare(s ? s : L"");
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const wchar_t* s) const { return uv::compareNoCase(m_s, s ? s : L""); }

CString CString::Left(int n) const { return CString(m_s.substr(0, size_t(std::clamp(n, 0, GetLength())))); }

CString CString::Right(int n) const {
  n = std::clamp(n, 0, GetLength());
  return CString(m_s.substr(m_s.size() - size_t(n)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  count = std::clamp(count, 0, GetLength() - first);
  return CString(m_s.substr(size_t(first), size_t(count)));
}

CString CString::SpanIncluding(const wchar_t* set) const {
  const size_t n = m_s.find_first_not_of(set ? set : L"");
  return CString(m_s.substr(0, n));
}

CString CString::SpanExcluding(const wchar_t* set) const {
  const size_t n = m_s.find_first_of(set ? set : L"");
  return CString(m_s.substr(0, n));
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
  if (start < 0 || start >= GetLength()) {
    start = -1;
    return CString();
  }
  const std::wstring_view delim = delimiters ? delimiters : L"";
  const size_t from = m_s.find_first_not_of(delim, size_t(start));
  if (from == std::wstring::npos) {
    start = -1;
    return CString();
  }
  size_t to = m_s.find_first_of(delim, from);
  if (to == std::wstring::npos) to = m_s.size();
  start = int(to) + 1;
  return CString(m_s.substr(from, to - from));
}

int CString::Find(wchar_t ch, int start) const {
  if (start < 0 || start > GetLength()) return -1;
  const size_t p = m_s.find(ch, size_t(start));
  return p == std::wstring::npos ? -1 : int(p);
}

int CString::Find(const wchar_t* sub, int start) const {
  if (!sub || start < 0 || start > GetLength()) return -1;
  const size_t p = m_s.find(sub, size_t(start));
  return p == std::wstring::npos ? -1 : int(p);
}

int CString::ReverseFind(wchar_t ch) const {
  const size_t p = m_s.rfind(ch);
  return p == std::wstring::npos ? -1 : int(p);
}

int CString::FindOneOf(const wchar_t* set) const {
  const size_t p = m_s.find_first_of(set ? set : L"");
  return p == std::wstring::npos ? -1 : int(p);
}

CString& CString::MakeUpper() {
  for (auto& c : m_s) c = uv::upperCase(c);
  return *this;
}

CString& CString::MakeLower() {
  for (auto& c : m_s) c = uv::foldCase(c);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_s.begin(), m_s.end());
  return *this;
}

namespace {
bool isSpace(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }
}  // namespace

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const wchar_t* set) { return TrimRight(set).TrimLeft(set); }

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_s.size() && isSpace(m_s[i])) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimLeft(wchar_t ch) {
  size_t i = 0;
  while (i < m_s.size() && m_s[i] == ch) ++i;
  m_s.erase(0, i);
  return *this;
}

CString& CString::TrimLeft(const wchar_t* set) {
  const size_t i = m_s.find_first_not_of(set ? set : L"");
  m_s.erase(0, i == std::wstring::npos ? m_s.size() : i);
  return *this;
}

CString& CString::TrimRight() {
  size_t n = m_s.size();
  while (n > 0 && isSpace(m_s[n - 1])) --n;
  m_s.resize(n);
  return *this;
}

CString& CString::TrimRight(wchar_t ch) {
  size_t n = m_s.size();
  while (n > 0 && m_s[n - 1] == ch) --n;
  m_s.resize(n);
  return *this;
}

CString& CString::TrimRight(const wchar_t* set) {
  const size_t i = m_s.find_last_not_of(set ? set : L"");
  m_s.resize(i == std::wstring::npos ? 0 : i + 1);
  return *this;
}

int CString::Replace(wchar_t from, wchar_t to) {
  int n = 0;
  for (auto& c : m_s)
    if (c == from) { c = to; ++n; }
  return n;
}

int CString::Replace(const wchar_t* from, const wchar_t* to) {
  if (!from || !*from) return 0;
  const std::wstring f(from), t(to ? to : L"");
  int n = 0;
  size_t p = 0;
  while ((p = m_s.find(f, p)) != std::wstring::npos) {
    m_s.replace(p, f.size(), t);
    p += t.size();
    ++n;
  }
  return n;
}

int CString::Remove(wchar_t ch) {
  const auto before = m_s.size();
  std::erase(m_s, ch);
  return int(before - m_s.size());
}

int CString::Insert(int index, wchar_t ch) {
  index = std::clamp(index, 0, GetLength());
  m_s.insert(size_t(index), 1, ch);
  return GetLength();
}

int CString::Insert(int index, const wchar_t* s) {
  index = std::clamp(index, 0, GetLength());
  if (s) m_s.insert(size_t(index), s);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index >= 0 && index < GetLength() && count > 0) m_s.erase(size_t(index), size_t(count));
  return GetLength();
}

void CString::Format(const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  m_s = FormatWide(fmt, args);
  va_end(args);
}

void CString::AppendFormat(const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  m_s += FormatWide(fmt, args);
  va_end(args);
}

void CString::FormatV(const wchar_t* fmt, va_list args) { m_s = FormatWide(fmt, args); }

// ---------------------------------------------------------------------------
// The formatter walks the format itself: numbers go through the C library one
// conversion at a time, strings and characters are placed here, so "%s"
// can mean a wide string as the module's code expects.

namespace {

struct Spec {
  std::wstring flags;
  int width = -1;  // -1: none
  int precision = -1;
  enum Len { kNone, kH, kHH, kL, kLL, kZ, kJ, kT, kBigL, kI64 } len = kNone;
  wchar_t conv = 0;
};

void pad(std::wstring& out, const std::wstring& body, const Spec& s) {
  const bool left = s.flags.find(L'-') != std::wstring::npos;
  const size_t w = s.width > 0 ? size_t(s.width) : 0;
  if (body.size() >= w) { out += body; return; }
  if (left) { out += body; out.append(w - body.size(), L' '); }
  else { out.append(w - body.size(), L' '); out += body; }
}

std::wstring numberPart(const Spec& s, const char* lenMod, char conv, va_list& ap) {
  std::string f = "%";
  for (wchar_t c : s.flags) f += char(c);
  if (s.width >= 0) f += std::to_string(s.width);
  if (s.precision >= 0) f += "." + std::to_string(s.precision);
  f += lenMod;
  f += conv;
  char buf[512];
  int n = 0;
  switch (conv) {
    case 'd': case 'i':
      if (s.len == Spec::kLL || s.len == Spec::kI64 || s.len == Spec::kJ) n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, long long));
      else if (s.len == Spec::kL || s.len == Spec::kZ || s.len == Spec::kT) n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, long));
      else n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, int));
      break;
    case 'u': case 'x': case 'X': case 'o':
      if (s.len == Spec::kLL || s.len == Spec::kI64 || s.len == Spec::kJ) n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, unsigned long long));
      else if (s.len == Spec::kL || s.len == Spec::kZ || s.len == Spec::kT) n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, unsigned long));
      else n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, unsigned int));
      break;
    case 'p':
      n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, void*));
      break;
    default:  // e E f F g G a A
      if (s.len == Spec::kBigL) n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, long double));
      else n = std::snprintf(buf, sizeof buf, f.c_str(), va_arg(ap, double));
      break;
  }
  if (n < 0) return std::wstring();
  if (size_t(n) >= sizeof buf) n = int(sizeof buf) - 1;
  return std::wstring(buf, buf + n);
}

const char* lenText(Spec::Len len) {
  switch (len) {
    case Spec::kH: return "h";
    case Spec::kHH: return "hh";
    case Spec::kL: return "l";
    case Spec::kLL: case Spec::kI64: return "ll";
    case Spec::kZ: return "z";
    case Spec::kJ: return "j";
    case Spec::kT: return "t";
    case Spec::kBigL: return "L";
    default: return "";
  }
}

}  // namespace

std::wstring FormatWide(const wchar_t* fmt, va_list args) {
  std::wstring out;
  if (!fmt) return out;
  va_list ap;
  va_copy(ap, args);
  for (const wchar_t* p = fmt; *p; ++p) {
    if (*p != L'%') { out += *p; continue; }
    ++p;
    if (*p == L'%') { out += L'%'; continue; }
    Spec s;
    while (*p && std::wcschr(L"-+ #0", *p)) s.flags += *p++;
    if (*p == L'*') { s.width = va_arg(ap, int); if (s.width < 0) { s.flags += L'-'; s.width = -s.width; } ++p; }
    else if (std::iswdigit(static_cast<wint_t>(*p))) { s.width = 0; while (std::iswdigit(static_cast<wint_t>(*p))) s.width = s.width * 10 + (*p++ - L'0'); }
    if (*p == L'.') {
      ++p;
      s.precision = 0;
      if (*p == L'*') { s.precision = va_arg(ap, int); ++p; }
      else while (std::iswdigit(static_cast<wint_t>(*p))) s.precision = s.precision * 10 + (*p++ - L'0');
    }
    if (p[0] == L'h' && p[1] == L'h') { s.len = Spec::kHH; p += 2; }
    else if (*p == L'h') { s.len = Spec::kH; ++p; }
    else if (p[0] == L'l' && p[1] == L'l') { s.len = Spec::kLL; p += 2; }
    else if (*p == L'l') { s.len = Spec::kL; ++p; }
    else if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') { s.len = Spec::kI64; p += 3; }
    else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') { p += 3; }
    else if (*p == L'I') { s.len = Spec::kZ; ++p; }
    else if (*p == L'z') { s.len = Spec::kZ; ++p; }
    else if (*p == L'j') { s.len = Spec::kJ; ++p; }
    else if (*p == L't') { s.len = Spec::kT; ++p; }
    else if (*p == L'L') { s.len = Spec::kBigL; ++p; }
    if (!*p) break;
    s.conv = *p;
    switch (s.conv) {
      case L's': case L'S': {
        const bool narrow = (s.conv == L'S') ? s.len != Spec::kL : s.len == Spec::kH;
        std::wstring body;
        if (narrow) {
          const char* a = va_arg(ap, const char*);
          body = a ? uv::fromUtf8(a) : L"(null)";
        } else {
          const wchar_t* a = va_arg(ap, const wchar_t*);
          body = a ? a : L"(null)";
        }
        if (s.precision >= 0 && body.size() > size_t(s.precision)) body.resize(size_t(s.precision));
        pad(out, body, s);
        break;
      }
      case L'c': case L'C': {
        const wchar_t ch = wchar_t(va_arg(ap, int));
        pad(out, std::wstring(1, ch), s);
        break;
      }
      case L'd': case L'i': case L'u': case L'x': case L'X': case L'o': case L'p':
      case L'e': case L'E': case L'f': case L'F': case L'g': case L'G': case L'a': case L'A':
        out += numberPart(s, lenText(s.len), char(s.conv), ap);
        break;
      case L'n':
        (void)va_arg(ap, int*);  // never written: a security hazard and unused
        break;
      default:
        out += L'%';
        out += s.conv;
        break;
    }
  }
  va_end(ap);
  return out;
}

std::wstring FormatWide(const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::wstring s = FormatWide(fmt, args);
  va_end(args);
  return s;
}
