#include "product/giscore/CUtility.h"

#include <array>
#include <cstdint>
#include <random>

CString CUtility::CreateGUID() {
  std::random_device source;  // the kernel's random source on Linux
  std::array<std::uint8_t, 16> b{};
  for (size_t i = 0; i < b.size(); i += 4) {
    const std::uint32_t r = source();
    for (size_t k = 0; k < 4; ++k) b[i + k] = std::uint8_t(r >> (8 * k));
  }
  b[6] = std::uint8_t((b[6] & 0x0F) | 0x40);  // version 4: random
  b[8] = std::uint8_t((b[8] & 0x3F) | 0x80);  // variant 1 (RFC 4122)

  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring s = L"{";
  for (size_t i = 0; i < b.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) s += L'-';
    s += kHex[b[i] >> 4];
    s += kHex[b[i] & 0x0F];
  }
  s += L'}';
  return CString(s);
}
