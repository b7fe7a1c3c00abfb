#include "CommandRunner.h"

#include <exception>
#include <vector>

#include "base/TextCase.h"
#include "rx/AdsFunctionTable.h"
#include "rx/SystemRegistry.h"
#include "user/ScriptError.h"
#include "AcApDocManager.h"
#include "Transcript.h"
#include "WorkFailures.h"

namespace uv {

namespace {

std::vector<const AcEdCommand*> g_running;

bool takesAutomaticLock(const AcEdCommand& c) {
  return !(c.commandFlags() & (ACRX_CMD_TRANSPARENT | ACRX_CMD_SESSION | ACRX_CMD_NOINTERNALLOCK));
}

// Puts the editor back as the command found it, also when it throws.
class RunScope {
 public:
  RunScope(const AcEdCommand& c, CommandOutcome& outcome) : m_outcome(outcome) {
    auto* docs = acDocManager;
    m_saved = docs->resourceStack();
    m_expected = m_saved;
    if (c.resourceHandle()) {
      docs->pushResourceHandle(c.resourceHandle());
      m_expected.push_back(c.resourceHandle());
    }
    if (takesAutomaticLock(c) && curDoc()) {
      m_locked = curDoc();
      docs->lockDocument(m_locked, c.commandFlags() & ACRX_CMD_DOCREADLOCK ? AcAp::kRead : AcAp::kWrite,
                         c.globalName(), c.localName());
    }
    g_running.push_back(&c);
  }
  ~RunScope() {
    g_running.pop_back();
    auto* docs = acDocManager;
    if (m_locked) docs->unlockDocument(m_locked);
    if (docs->resourceStack() != m_expected) m_outcome.resourcesUnbalanced = true;
    docs->setResourceStack(m_saved);
  }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

 private:
  CommandOutcome& m_outcome;
  std::vector<HINSTANCE> m_saved, m_expected;
  AcApDocument* m_locked = nullptr;
};

}  // namespace

const AcEdCommand* CommandRunner::active() { return g_running.empty() ? nullptr : g_running.back(); }

CommandOutcome CommandRunner::run(const std::wstring& name, resbuf* args) {
  CommandOutcome outcome;
  Transcript& out = Transcript::instance();
  out.write(L"Command: " + name + L"\n");
  AcEdCommand* cmd = acedRegCmds->lookupCmd(name.c_str());
  if (!cmd) {
    outcome.status = CommandOutcome::Status::kUnknown;
    outcome.message = L"Unknown command \"" + name + L"\".";
    out.write(outcome.message + L"\n");
    return outcome;
  }
  if (active() && !cmd->isTransparent()) {
    outcome.status = CommandOutcome::Status::kNotTransparent;
    outcome.message = std::wstring(cmd->globalName()) + L" cannot run while " + active()->globalName() + L" runs.";
    out.write(outcome.message + L"\n");
    return outcome;
  }
  // Reports of an enclosing command stay with it.
  std::vector<std::wstring> enclosing = takeWorkFailures();
  {
    RunScope scope(*cmd, outcome);
    AdsFunctionTable::CallScope call(-1, args);
    try {
      cmd->functionAddr()();
    } catch (const ScriptError&) {
      throw;
    } catch (const std::exception& e) {
      outcome.status = CommandOutcome::Status::kFailed;
      outcome.message = std::wstring(cmd->globalName()) + L" failed: " + fromUtf8(e.what());
    } catch (...) {
      outcome.status = CommandOutcome::Status::kFailed;
      outcome.message = std::wstring(cmd->globalName()) + L" failed with an exception";
    }
  }
  std::vector<std::wstring> reported = takeWorkFailures();
  for (std::wstring& f : enclosing) reportWorkFailure(f);
  if (!reported.empty() && outcome.status == CommandOutcome::Status::kDone) {
    // The command has shown these to the user already; the outcome carries them on.
    outcome.status = CommandOutcome::Status::kFailed;
    outcome.message = std::wstring(cmd->globalName()) + L" failed: " + joinWorkFailures(reported);
    return outcome;
  }
  if (outcome.resourcesUnbalanced)
    outcome.message += (outcome.message.empty() ? L"" : L" ") + std::wstring(cmd->globalName()) +
                       L" left the resource handle stack unbalanced.";
  if (!outcome.message.empty()) out.write(outcome.message + L"\n");
  return outcome;
}

}  // namespace uv
