// A 64-bit object handle: unique within one database, kept in files, written
// as upper-case hexadecimal text without leading zeros.
#pragma once

#include <cstdint>
#include <string>

#include "AdAChar.h"

class AcDbHandle {
 public:
  AcDbHandle() = default;
  AcDbHandle(std::uint64_t value) : m_value(value) {}  // NOLINT: as in the host
  // Parses hexadecimal text; anything that is not 1-16 hex digits gives the null handle.
  explicit AcDbHandle(const ACHAR* hex);

  bool isNull() const { return m_value == 0; }
  void setNull() { m_value = 0; }
  std::uint64_t value() const { return m_value; }
  operator std::uint64_t() const { return m_value; }  // NOLINT

  // Writes the hex text into buf (at least 17 characters); false if it does not fit.
  bool getIntoAsciiBuffer(ACHAR* buf, size_t bufLen) const;
  std::wstring text() const;

  AcDbHandle& operator++() { ++m_value; return *this; }
  AcDbHandle operator++(int) { AcDbHandle h = *this; ++m_value; return h; }
  friend bool operator==(const AcDbHandle& a, const AcDbHandle& b) { return a.m_value == b.m_value; }
  friend bool operator!=(const AcDbHandle& a, const AcDbHandle& b) { return a.m_value != b.m_value; }
  friend bool operator<(const AcDbHandle& a, const AcDbHandle& b) { return a.m_value < b.m_value; }

 private:
  std::uint64_t m_value = 0;
};
