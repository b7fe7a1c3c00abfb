#include "host/JobRunner.h"

#include <filesystem>
#include <optional>

#include "base/TextCase.h"
#include "ed/CommandRunner.h"
#include "ed/Transcript.h"
#include "host/EntryFunctionCaller.h"
#include "host/HostError.h"
#include "host/HostSession.h"
#include "host/LayerSettings.h"
#include "host/StageTimes.h"
#include "ed/AcApDocument.h"
#include "user/CurrentUser.h"
#include "user/ScriptError.h"
#include "user/ScriptedUser.h"

namespace uv::host {

namespace fs = std::filesystem;

JobRunner::JobRunner(HostSession& session, ScriptedUser& user, std::wstring scriptFolder)
    : m_session(session), m_user(user), m_folder(std::move(scriptFolder)) {}

std::wstring JobRunner::inputFile(const std::wstring& name) const {
  const fs::path path(toUtf8(name));
  if (path.is_absolute() || m_folder.empty()) return name;
  return fromUtf8((fs::path(toUtf8(m_folder)) / path).lexically_normal().string());
}

void JobRunner::run() {
  UserScope scope(m_user);
  while (moreActions()) {
    const ScriptAction action = m_user.take();
    runAction(action);
    if (m_times)
      m_times->report((action.where.known() ? L"line " + std::to_wstring(action.where.line) + L": " : L"") +
                      action.describe());
  }
}

bool JobRunner::moreActions() {
  try {
    m_user.runChecks();  // the checks after the last command look at what it left
  } catch (const ScriptError& e) {
    throw HostError(ExitCode::kJobError, e.fullMessage());
  }
  return !m_user.empty();
}

void JobRunner::runAction(const ScriptAction& action) {
  try {
    switch (action.kind) {
      case ActionKind::kAnswer:
      case ActionKind::kDialog:
        throw HostError(ExitCode::kJobError, L"nothing asked for this answer: " + action.describe());
      case ActionKind::kHost:
        runHostVerb(action);
        break;
      case ActionKind::kCommand:
        runCommand(action);
        break;
    }
  } catch (const ScriptError& e) {
    throw HostError(ExitCode::kJobError, e.fullMessage());
  } catch (const HostError& e) {
    throw HostError(e.code(), action.where.prefix() + e.message());
  }
}

void JobRunner::runHostVerb(const ScriptAction& a) {
  if (a.verb == L"open") {
    m_session.openDrawing(inputFile(a.text(0)));
  } else if (a.verb == L"save") {
    if (!m_session.saveDrawing(a.text(0)))
      Transcript::instance().write(L"Not saved: " + a.text(0) + L" already exists and was kept as it was.\n");
  } else if (a.verb == L"render") {
    if (!m_session.renderDrawing(a.text(0)))
      Transcript::instance().write(L"Not drawn: " + a.text(0) + L" already exists and was kept as it was.\n");
  } else if (a.verb == L"view") {
    if (!m_session.setView(a.point(0), a.number(1)))
      throw HostError(ExitCode::kJobError, L"the view height must be a positive number, not " + a.text(1));
  } else if (a.verb == L"regen") {
    m_session.regenerate();
  } else if (a.verb == L"background") {
    m_session.setDarkBackground(equalsNoCase(a.text(0), L"dark"));
  } else if (a.verb == L"shade") {
    m_session.setShadeByElevation(equalsNoCase(a.text(0), L"elevation"));
  } else if (a.verb == L"load") {
    m_session.loadModule(inputFile(a.text(0)));
  } else if (a.verb == L"unload") {
    m_session.unloadModule(a.text(0));
  } else if (a.verb == L"new") {
    m_session.newDrawing();
  } else if (a.verb == L"layer") {
    m_session.keepForUndo(L"layer");
    AcDbDatabase* db = m_session.document() ? m_session.document()->database() : nullptr;
    if (!db) throw HostError(ExitCode::kJobError, L"there is no drawing");
    if (a.isWord(1, L"color")) LayerSettings::setColour(*db, a.text(0), a.integer(2));
    else LayerSettings::setOff(*db, a.text(0), a.isWord(1, L"off"));
  } else if (a.verb == L"call") {
    if (a.has(2)) throw HostError(ExitCode::kJobError, L"call takes a function name and at most one text");
    m_session.keepForUndo(a.text(0));
    EntryFunctionCaller::call(a.text(0), a.has(1) ? std::optional<std::wstring>(a.text(1)) : std::nullopt);
  } else {
    throw HostError(ExitCode::kJobError, L"the host has no verb \"" + a.verb + L"\"");
  }
}

void JobRunner::runCommand(const ScriptAction& a) {
  // Undo and Redo are the host's: they replace the drawing, which no command may do while it runs.
  if (equalsNoCase(a.verb, L"UNDO")) {
    m_session.undo();
    return;
  }
  if (equalsNoCase(a.verb, L"REDO")) {
    m_session.redo();
    return;
  }
  m_session.keepForUndo(a.verb);
  const CommandOutcome outcome = CommandRunner::run(a.verb);
  if (outcome.status == CommandOutcome::Status::kUnknown) m_session.forgetLastUndo();
  switch (outcome.status) {
    case CommandOutcome::Status::kDone:
      return;
    case CommandOutcome::Status::kUnknown:
      throw HostError(ExitCode::kJobError, L"unknown command \"" + a.verb + L"\"");
    default:
      throw HostError(ExitCode::kJobError, outcome.message);
  }
}

}  // namespace uv::host
