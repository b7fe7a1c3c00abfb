#include "ui/ResourceError.h"

#include "base/TextCase.h"

namespace uv {

ResourceError::ResourceError(const std::wstring& message) : std::runtime_error(toUtf8(message)), m_message(message) {}

ResourceError::ResourceError(const std::wstring& file, int line, const std::wstring& message)
    : ResourceError(file + L":" + std::to_wstring(line) + L": " + message) {}

}  // namespace uv
