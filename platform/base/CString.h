// Wide string with the interface the module's code uses (MFC's CStringW).
//
// Format follows the Windows wide-printf rules the module is written for:
// "%s" and "%c" take wide strings and characters, "%hs"/"%S" narrow ones.
// Objects must be passed to Format as (LPCTSTR) or GetString().
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

#include "WinTypes.h"

class CString {
 public:
  CString() = default;
  CString(const wchar_t* s) : m_s(s ? s : L"") {}  // NOLINT: implicit as in MFC
  CString(const wchar_t* s, int n) : m_s(s ? std::wstring(s, s + (n > 0 ? n : 0)) : std::wstring()) {}
  CString(wchar_t ch, int repeat = 1) : m_s(repeat > 0 ? size_t(repeat) : 0, ch) {}
  CString(std::wstring s) : m_s(std::move(s)) {}  // NOLINT
  CString(std::wstring_view s) : m_s(s) {}        // NOLINT
  // Narrow text is taken as UTF-8.
  explicit CString(const char* utf8);
  explicit CString(const std::string& utf8);

  // Access
  int GetLength() const { return int(m_s.size()); }
  bool IsEmpty() const { return m_s.empty(); }
  void Empty() { m_s.clear(); }
  wchar_t GetAt(int i) const;
  void SetAt(int i, wchar_t ch);
  wchar_t operator[](int i) const { return GetAt(i); }
  const wchar_t* GetString() const { return m_s.c_str(); }
  operator const wchar_t*() const { return m_s.c_str(); }  // NOLINT: as in MFC
  const std::wstring& str() const { return m_s; }
  std::wstring& str() { return m_s; }
  std::string toUtf8() const;

  // Raw buffer access, for C-style APIs that write into the string.
  wchar_t* GetBuffer(int minLength = 0);
  wchar_t* GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

  // Comparison: Compare by code units; CompareNoCase folds letter case the
  // way CAD compares names (Latin, Greek and Cyrillic letters).
  int Compare(const wchar_t* s) const;
  int CompareNoCase(const wchar_t* s) const;

  // Extraction
  CString Left(int n) const;
  CString Right(int n) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString SpanIncluding(const wchar_t* set) const;
  CString SpanExcluding(const wchar_t* set) const;
  CString Tokenize(const wchar_t* delimiters, int& start) const;

  // Search; results are indices or -1.
  int Find(wchar_t ch, int start = 0) const;
  int Find(const wchar_t* sub, int start = 0) const;
  int ReverseFind(wchar_t ch) const;
  int FindOneOf(const wchar_t* set) const;

  // Modification
  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();
  CString& Trim();
  CString& Trim(wchar_t ch);
  CString& Trim(const wchar_t* set);
  CString& TrimLeft();
  CString& TrimLeft(wchar_t ch);
  CString& TrimLeft(const wchar_t* set);
  CString& TrimRight();
  CString& TrimRight(wchar_t ch);
  CString& TrimRight(const wchar_t* set);
  int Replace(wchar_t from, wchar_t to);
  int Replace(const wchar_t* from, const wchar_t* to);
  int Remove(wchar_t ch);
  int Insert(int index, wchar_t ch);
  int Insert(int index, const wchar_t* s);
  int Delete(int index, int count = 1);
  void Append(const wchar_t* s) { if (s) m_s += s; }
  void AppendChar(wchar_t ch) { m_s += ch; }

  void Format(const wchar_t* fmt, ...);
  void AppendFormat(const wchar_t* fmt, ...);
  void FormatV(const wchar_t* fmt, va_list args);

  CString& operator=(const wchar_t* s) { m_s = s ? s : L""; return *this; }
  CString& operator=(wchar_t ch) { m_s.assign(1, ch); return *this; }
  CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
  CString& operator+=(const wchar_t* s) { if (s) m_s += s; return *this; }
  CString& operator+=(wchar_t ch) { m_s += ch; return *this; }

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
  friend CString operator+(const CString& a, const wchar_t* b) { return CString(a.m_s + (b ? b : L"")); }
  friend CString operator+(const wchar_t* a, const CString& b) { return CString((a ? a : L"") + b.m_s); }
  friend CString operator+(const CString& a, wchar_t b) { return CString(a.m_s + b); }
  friend CString operator+(wchar_t a, const CString& b) { return CString(a + b.m_s); }

  friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.m_s == (b ? b : L""); }
  friend bool operator==(const wchar_t* a, const CString& b) { return b == a; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
  friend bool operator!=(const wchar_t* a, const CString& b) { return !(b == a); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
  friend bool operator>(const CString& a, const CString& b) { return b.m_s < a.m_s; }
  friend bool operator<=(const CString& a, const CString& b) { return !(b.m_s < a.m_s); }
  friend bool operator>=(const CString& a, const CString& b) { return !(a.m_s < b.m_s); }

 private:
  std::wstring m_s;
};

using CStringW = CString;

// printf-style formatting with the wide-printf rules described above.
std::wstring FormatWide(const wchar_t* fmt, va_list args);
std::wstring FormatWide(const wchar_t* fmt, ...);

struct CStringNoCaseLess {
  bool operator()(const CString& a, const CString& b) const { return a.CompareNoCase(b) < 0; }
};

template <>
struct std::hash<CString> {
  size_t operator()(const CString& s) const noexcept { return std::hash<std::wstring>()(s.str()); }
};
