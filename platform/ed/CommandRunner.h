// Runs registered commands by name, as the host's command line does:
// looks the name up in the command stack (letter case ignored, "_" and "."
// prefixes as typed), echoes it, makes the command's resources current, locks
// the document for a modal command, and runs it.
//
// A command's ScriptError (its script did not fit what it asked) passes
// through: the job must stop. Any other exception the command lets out is
// reported on the command line and in the outcome, as the host reports a
// command that failed, and the editor's state is put back. A command that reported a failure
// (WorkFailures.h) and ended normally fails with that report.
#pragma once

#include <string>

struct resbuf;
class AcEdCommand;

namespace uv {

struct CommandOutcome {
  enum class Status { kDone, kUnknown, kNotTransparent, kFailed };
  Status status = Status::kDone;
  std::wstring message;
  // The command left resource handles pushed or popped too many (fixed by the runner).
  bool resourcesUnbalanced = false;
  bool ok() const { return status == Status::kDone; }
};

class CommandRunner {
 public:
  // args: what acedGetArgs returns to the command (null: none).
  static CommandOutcome run(const std::wstring& name, resbuf* args = nullptr);
  // The innermost command running now, or null.
  static const AcEdCommand* active();
};

}  // namespace uv
