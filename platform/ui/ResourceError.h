// A resource that cannot be read or found: a bad line of a template file
// (named with file and line), a dialog template or an image that no
// resource folder holds.
#pragma once

#include <stdexcept>
#include <string>

namespace uv {

class ResourceError : public std::runtime_error {
 public:
  explicit ResourceError(const std::wstring& message);
  ResourceError(const std::wstring& file, int line, const std::wstring& message);
  const std::wstring& message() const { return m_message; }

 private:
  std::wstring m_message;
};

}  // namespace uv
