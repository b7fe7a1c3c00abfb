// Writes (group code, value) pairs as DXF text: the code right-aligned in
// three columns, the value on the next line, LF line ends.
//
//    10
//   12.5
//
// Reals are written in their shortest form that reads back to the same
// double; a value that is not finite is refused with a DxfError naming the
// object being written (a file must never hold "nan").
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "ge/AcGePoint3d.h"
#include "ge/AcGeVector3d.h"

namespace uv::dxf {

class GroupWriter {
 public:
  explicit GroupWriter(std::ostream& out) : m_out(out) {}

  // What is being written, for error messages ("LINE 2F").
  void setContext(std::string context) { m_context = std::move(context); }

  void text(int code, const std::string& utf8);
  void text(int code, const std::wstring& value);
  void real(int code, double value);
  void integer(int code, long long value);
  void handle(int code, std::uint64_t value);
  // Codes c, c+10, c+20.
  void point(int code, const AcGePoint3d& p);
  void point2d(int code, double x, double y);
  void vector(int code, const AcGeVector3d& v);
  // The normal only when it is not the world z axis, as files do.
  void normal(int code, const AcGeVector3d& v);
  // A 0 group starting an object.
  void start(const char* type) { text(0, std::string(type)); }

  static std::string formatReal(double value);

 private:
  void code(int c);
  std::ostream& m_out;
  std::string m_context;
};

}  // namespace uv::dxf
