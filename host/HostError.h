// Why a batch run stops, with the exit status it ends with. The message
// names the place: the file, the script line, and what was asked.
#pragma once

#include <stdexcept>
#include <string>

namespace uv::host {

enum class ExitCode {
  kSuccess = 0,
  kJobError = 1,    // a script line that does not parse or fit, an unknown or failing command
  kUsageError = 2,  // bad command-line options
  kFileError = 3,   // a drawing, script or module that cannot be read or loaded, an output not written
};

class HostError : public std::runtime_error {
 public:
  HostError(ExitCode code, const std::wstring& message);

  ExitCode code() const { return m_code; }
  const std::wstring& message() const { return m_message; }

 private:
  ExitCode m_code;
  std::wstring m_message;
};

}  // namespace uv::host
