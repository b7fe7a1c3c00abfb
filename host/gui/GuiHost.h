// cadhost --gui: the desktop program. Makes the Qt application, the drawing
// (empty, or read from --open) and the modules (--load, or UIVantor2.so
// beside the host when none is named), then shows the main window until the
// person quits. The session's recording starts with the drawing and the
// modules, so a job saved from it replays from the same start.
#pragma once

#include "host/CommandLineOptions.h"
#include "host/HostError.h"

namespace uv::gui {

class GuiHost {
 public:
  static host::ExitCode run(const host::CommandLineOptions& options, int argc, char** argv);
  // The module the desktop program loads when --load names none: UIVantor2.so
  // in the build's library folder beside the executable's folder; empty if absent.
  static std::wstring defaultModule();
};

}  // namespace uv::gui
