// cadhost, in batch mode or as the desktop program (--gui); see CommandLineOptions::usage().
#include <cstdio>
#include <string>
#include <vector>

#include "host/BatchHost.h"
#include "host/CommandLineOptions.h"
#include "host/gui/GuiHost.h"

int main(int argc, char** argv) {
  using namespace uv::host;
  CommandLineOptions options;
  try {
    options = CommandLineOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const HostError& e) {
    std::fprintf(stderr, "cadhost: %s\nTry 'cadhost --help' for the options.\n", e.what());
    return int(ExitCode::kUsageError);
  }
  if (options.help) {
    std::fputs(CommandLineOptions::usage().c_str(), stdout);
    return int(ExitCode::kSuccess);
  }
  if (options.gui) return int(uv::gui::GuiHost::run(options, argc, argv));
  return int(BatchHost::run(options));
}
