#include "xml/XmlError.h"

#include "base/TextCase.h"

namespace uv {

namespace {
std::wstring place(const std::wstring& source, int line, int column) {
  return (source.empty() ? std::wstring(L"xml") : source) + L":" + std::to_wstring(line) + L":" +
         std::to_wstring(column) + L": ";
}
}  // namespace

XmlError::XmlError(const std::wstring& source, int line, int column, const std::wstring& message)
    : std::runtime_error(toUtf8(place(source, line, column) + message)),
      m_line(line),
      m_column(column),
      m_message(message) {}

XmlError::XmlError(const std::wstring& message) : std::runtime_error(toUtf8(message)), m_message(message) {}

}  // namespace uv
