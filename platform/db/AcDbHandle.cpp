#include "AcDbHandle.h"

#include <cwchar>

AcDbHandle::AcDbHandle(const ACHAR* hex) {
  if (!hex) return;
  std::uint64_t v = 0;
  int digits = 0;
  for (const ACHAR* p = hex; *p; ++p, ++digits) {
    int d;
    if (*p >= L'0' && *p <= L'9') d = *p - L'0';
    else if (*p >= L'a' && *p <= L'f') d = *p - L'a' + 10;
    else if (*p >= L'A' && *p <= L'F') d = *p - L'A' + 10;
    else return;
    if (digits >= 16) return;
    v = (v << 4) | std::uint64_t(d);
  }
  if (digits > 0) m_value = v;
}

std::wstring AcDbHandle::text() const {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring s;
  std::uint64_t v = m_value;
  do {
    s.insert(s.begin(), kDigits[v & 0xF]);
    v >>= 4;
  } while (v);
  return s;
}

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buf, size_t bufLen) const {
  const std::wstring s = text();
  if (!buf || bufLen < s.size() + 1) return false;
  std::wmemcpy(buf, s.c_str(), s.size() + 1);
  return true;
}
