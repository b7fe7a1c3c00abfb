// A job script that cannot go on: a line that does not parse, or an action
// that does not fit what the program asks. The message names the place.
#pragma once

#include <stdexcept>
#include <string>

#include "ScriptLocation.h"

namespace uv {

class ScriptError : public std::runtime_error {
 public:
  ScriptError(ScriptLocation where, const std::wstring& message);

  const ScriptLocation& where() const { return m_where; }
  // The message without the place.
  const std::wstring& message() const { return m_message; }
  // Place and message, as what() gives it in UTF-8.
  std::wstring fullMessage() const { return m_where.prefix() + m_message; }

 private:
  ScriptLocation m_where;
  std::wstring m_message;
};

}  // namespace uv
