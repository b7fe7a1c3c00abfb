// Runs a job script, action by action, in order:
//
//   host verbs      open, save, render, view, load, unload, call: done by the
//                   host between commands
//   command lines   looked up in the command stack (letter case ignored) and
//                   run; the prompts and dialogs of the command take the
//                   answer lines after it through the scripted user
//
// An answer line that no prompt or dialog took (after a command returned,
// or before any command) is an error; so is an unknown command and a
// command that fails. Every error throws HostError naming the script line;
// a ScriptError (a wrong or missing answer) keeps its own place and text.
//
// Files the job reads (open, load) are found from the script's folder;
// files it writes (save, render) from the current folder.
#pragma once

#include <string>

namespace uv {
class ScriptAction;
class ScriptedUser;
}  // namespace uv

namespace uv::host {

class HostSession;
class StageTimes;

class JobRunner {
 public:
  JobRunner(HostSession& session, ScriptedUser& user, std::wstring scriptFolder);
  // Each action's cost is reported to `times` when it is done.
  void setTimes(StageTimes* times) { m_times = times; }
  void run();

 private:
  // Runs the check lines that come next; whether an action follows them.
  bool moreActions();
  void runAction(const ScriptAction& action);
  void runHostVerb(const ScriptAction& action);
  void runCommand(const ScriptAction& action);
  std::wstring inputFile(const std::wstring& name) const;

  HostSession& m_session;
  ScriptedUser& m_user;
  std::wstring m_folder;
  StageTimes* m_times = nullptr;
};

}  // namespace uv::host
