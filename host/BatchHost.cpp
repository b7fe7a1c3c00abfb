#include "host/BatchHost.h"

#include <cstdio>
#include <exception>
#include <filesystem>

#include "base/TextCase.h"
#include "ed/ProgressMeter.h"
#include "ed/Transcript.h"
#include "host/DialogPainter.h"
#include "host/HostSession.h"
#include "host/JobRunner.h"
#include "host/StageTimes.h"
#include "ui/ScreenChecks.h"
#include "user/JobScript.h"
#include "user/ScriptChecks.h"
#include "user/ScriptError.h"
#include "user/ScriptedUser.h"

namespace uv::host {

namespace fs = std::filesystem;

namespace {

void runJob(HostSession& session, const std::wstring& job, StageTimes& times) {
  std::error_code ec;
  const fs::path path(toUtf8(job));
  if (!fs::is_regular_file(path, ec)) throw HostError(ExitCode::kFileError, job + L": cannot read the job script: no such file");
  ScriptedUser user;
  try {
    user = ScriptedUser::fromFile(job);
  } catch (const ScriptError& e) {
    throw HostError(ExitCode::kJobError, e.fullMessage());
  }
  // Keeping drawings for Undo costs a write of the drawing per command: only jobs that undo pay it.
  bool undoes = false;
  for (const ScriptAction& a : JobScript::parseFile(job))
    undoes = undoes || (a.kind == ActionKind::kCommand && (equalsNoCase(a.verb, L"UNDO") || equalsNoCase(a.verb, L"REDO")));
  session.setUndoEnabled(undoes);
  JobRunner runner(session, user, fromUtf8(path.parent_path().string()));
  runner.setTimes(&times);
  runner.run();
}

void report(const std::wstring& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "cadhost: %s\n", toUtf8(message).c_str());
}

}  // namespace

ExitCode BatchHost::run(const CommandLineOptions& o) {
  Transcript::instance().setEcho(!o.quiet);
  installDialogPainter();
  installScreenChecks();
  setScriptCheck(L"progress", [](const ScriptAction& line) {
    return ProgressMeter::instance().differsFrom(line.text(1), line.integer(2), line.integer(4));
  });
  try {
    StageTimes times;
    if (o.times) times.enable();
    HostSession session(o.renderWidth, o.renderHeight);
    session.setDarkBackground(o.renderDark);
    session.setShadeByElevation(o.renderShadeElevation);
    if (o.open.empty()) session.newDrawing();
    else session.openDrawing(o.open);
    for (const std::wstring& module : o.load) session.loadModule(module);
    times.report(L"start");
    if (!o.job.empty()) runJob(session, o.job, times);
    // Nobody is there to ask after the job: a file that is not the drawing's own is kept, unless --replace.
    const auto existing = o.replace ? HostSession::ExistingFile::kReplace : HostSession::ExistingFile::kKeep;
    if (!o.save.empty()) {
      if (!session.saveDrawing(o.save, existing))
        throw HostError(ExitCode::kFileError, o.save + L" already exists and was kept as it was: the drawing was not "
                                                       L"saved (--replace replaces it)");
      times.report(L"--save");
    }
    if (!o.render.empty()) {
      if (!session.renderDrawing(o.render, existing))
        throw HostError(ExitCode::kFileError, o.render + L" already exists and was kept as it was: the picture was "
                                                         L"not drawn (--replace replaces it)");
      times.report(L"--render");
    }
    times.reportTotal();
  } catch (const HostError& e) {
    report(e.message());
    return e.code();
  } catch (const std::exception& e) {
    report(L"internal error: " + fromUtf8(e.what()));
    return ExitCode::kJobError;
  }
  return ExitCode::kSuccess;
}

}  // namespace uv::host
