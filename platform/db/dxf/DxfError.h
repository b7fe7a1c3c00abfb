// An error inside the DXF reader or writer, with the line of the file it
// points at (0 when it points at none, as for writer errors). The public
// functions turn it into a Result that also names the file.
#pragma once

#include <stdexcept>
#include <string>

namespace uv::dxf {

class DxfError : public std::runtime_error {
 public:
  DxfError(int line, const std::string& message) : std::runtime_error(message), m_line(line) {}
  int line() const { return m_line; }

 private:
  int m_line;
};

}  // namespace uv::dxf
