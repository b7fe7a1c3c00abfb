// An XML text that cannot be read, or an element that cannot be written,
// with the place: source, line and column (1-based).
#pragma once

#include <stdexcept>
#include <string>

namespace uv {

class XmlError : public std::runtime_error {
 public:
  XmlError(const std::wstring& source, int line, int column, const std::wstring& message);
  explicit XmlError(const std::wstring& message);
  int line() const { return m_line; }
  int column() const { return m_column; }
  const std::wstring& message() const { return m_message; }

 private:
  int m_line = 0;
  int m_column = 0;
  std::wstring m_message;
};

}  // namespace uv
