#include "host/gui/GuiHost.h"

#include <cstdio>
#include <filesystem>

#include <QApplication>
#include <QFileInfo>

#include "base/TextCase.h"
#include "ed/Transcript.h"
#include "host/HostSession.h"
#include "host/gui/MainWindow.h"

namespace uv::gui {

namespace fs = std::filesystem;

std::wstring GuiHost::defaultModule() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  for (const fs::path& candidate : {exe.parent_path().parent_path() / "lib" / "UIVantor2.so",
                                    exe.parent_path() / "UIVantor2.so"})
    if (fs::is_regular_file(candidate, ec)) return fromUtf8(candidate.string());
  return {};
}

host::ExitCode GuiHost::run(const host::CommandLineOptions& o, int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("UIVantor2"));
  QApplication::setApplicationName(QStringLiteral("cadhost"));
  Transcript::instance().setEcho(!o.quiet);
  try {
    host::HostSession session(1600, 1200);
    session.newDrawing();
    MainWindow window(session);
    // Through the window, so that the session's record starts where this one does.
    if (!o.open.empty() && !window.openDrawing(QString::fromStdWString(o.open)))
      return host::ExitCode::kFileError;
    std::vector<std::wstring> modules = o.load;
    if (modules.empty()) {
      const std::wstring fallback = defaultModule();
      if (!fallback.empty()) modules.push_back(fallback);
    }
    for (const std::wstring& module : modules)
      if (!window.loadModule(QString::fromStdWString(module))) return host::ExitCode::kFileError;
    window.show();
    QApplication::exec();
  } catch (const host::HostError& e) {
    std::fprintf(stderr, "cadhost: %s\n", toUtf8(e.message()).c_str());
    return e.code();
  }
  return host::ExitCode::kSuccess;
}

}  // namespace uv::gui
