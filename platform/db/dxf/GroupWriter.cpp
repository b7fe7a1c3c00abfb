#include "db/dxf/GroupWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "db/dxf/DxfError.h"
#include "db/dxf/TextCodec.h"

namespace uv::dxf {

std::string GroupWriter::formatReal(double value) {
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
  std::string s(buf, ptr);
  // Readers that look for a decimal point to tell reals from integers get one.
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

void GroupWriter::code(int c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%3d\n", c);
  m_out << buf;
}

void GroupWriter::text(int c, const std::string& utf8) {
  code(c);
  m_out << utf8 << '\n';
}

void GroupWriter::text(int c, const std::wstring& value) { text(c, TextCodec::encode(value)); }

void GroupWriter::real(int c, double value) {
  if (!std::isfinite(value))
    throw DxfError(0, m_context + " holds a value that is not a finite number (group code " + std::to_string(c) + ")");
  code(c);
  m_out << formatReal(value) << '\n';
}

void GroupWriter::integer(int c, long long value) {
  code(c);
  m_out << value << '\n';
}

void GroupWriter::handle(int c, std::uint64_t value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(value));
  text(c, std::string(buf));
}

void GroupWriter::point(int c, const AcGePoint3d& p) {
  real(c, p.x);
  real(c + 10, p.y);
  real(c + 20, p.z);
}

void GroupWriter::point2d(int c, double x, double y) {
  real(c, x);
  real(c + 10, y);
}

void GroupWriter::vector(int c, const AcGeVector3d& v) {
  real(c, v.x);
  real(c + 10, v.y);
  real(c + 20, v.z);
}

void GroupWriter::normal(int c, const AcGeVector3d& v) {
  if (v.x == 0 && v.y == 0 && v.z == 1) return;
  vector(c, v);
}

}  // namespace uv::dxf
