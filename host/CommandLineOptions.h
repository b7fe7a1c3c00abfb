// The options of cadhost in batch mode. parse() throws HostError with
// kUsageError for anything it cannot take, naming the option.
#pragma once

#include <string>
#include <vector>

namespace uv::host {

struct CommandLineOptions {
  std::wstring open;               // drawing to start from; empty: a new drawing
  std::vector<std::wstring> load;  // modules, in order
  std::wstring job;
  std::wstring save;
  std::wstring render;             // .png or .svg
  int renderWidth = 1600, renderHeight = 1200;
  bool renderDark = false;        // --render-background dark|light
  bool renderShadeElevation = false;  // --render-shade elevation|none
  bool replace = false;             // --save may replace a file that is not the drawing's own
  bool quiet = false;
  bool times = false;              // --times: what each step of the job costs
  bool gui = false;                // the desktop program instead of a batch run
  bool help = false;

  // The arguments after the program name; "--opt value" and "--opt=value".
  static CommandLineOptions parse(const std::vector<std::string>& args);
  static std::string usage();
};

}  // namespace uv::host
