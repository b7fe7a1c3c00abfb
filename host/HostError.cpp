#include "host/HostError.h"

#include "base/TextCase.h"

namespace uv::host {

HostError::HostError(ExitCode code, const std::wstring& message)
    : std::runtime_error(toUtf8(message)), m_code(code), m_message(message) {}

}  // namespace uv::host
