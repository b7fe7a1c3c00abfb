#include "ScriptError.h"

#include "base/TextCase.h"

namespace uv {

ScriptError::ScriptError(ScriptLocation where, const std::wstring& message)
    : std::runtime_error(toUtf8(where.prefix() + message)), m_where(std::move(where)), m_message(message) {}

}  // namespace uv
