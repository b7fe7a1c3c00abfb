#include "host/CommandLineOptions.h"

#include <optional>

#include "base/TextCase.h"
#include "host/HostError.h"

namespace uv::host {

namespace {

[[noreturn]] void usageError(const std::string& message) { throw HostError(ExitCode::kUsageError, fromUtf8(message)); }

bool endsWithNoCase(const std::wstring& s, const std::wstring& suffix) {
  return s.size() >= suffix.size() && equalsNoCase(std::wstring_view(s).substr(s.size() - suffix.size()), suffix);
}

// "1600x1200": whole numbers of pixels, each 1 to 20000.
bool parseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  auto number = [](const std::string& s) -> std::optional<int> {
    if (s.empty() || s.size() > 5 || s.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int v = std::stoi(s);
    return v >= 1 && v <= 20000 ? std::optional<int>(v) : std::nullopt;
  };
  const auto w = number(text.substr(0, x)), h = number(text.substr(x + 1));
  if (!w || !h) return false;
  width = *w;
  height = *h;
  return true;
}

}  // namespace

CommandLineOptions CommandLineOptions::parse(const std::vector<std::string>& args) {
  CommandLineOptions o;
  bool sizeGiven = false, backgroundGiven = false, shadeGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i], value;
    bool inlineValue = false;
    if (name.rfind("--", 0) == 0) {
      if (const size_t eq = name.find('='); eq != std::string::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
        inlineValue = true;
      }
    }
    const bool help = name == "--help" || name == "-h", quiet = name == "--quiet" || name == "-q";
    if (help || quiet || name == "--gui" || name == "--times" || name == "--replace") {
      if (inlineValue) usageError(name + " takes no value");
      (help ? o.help : quiet ? o.quiet : name == "--gui" ? o.gui : name == "--replace" ? o.replace : o.times) = true;
      continue;
    }
    const bool takesValue = name == "--open" || name == "--load" || name == "--job" || name == "--save" ||
                            name == "--render" || name == "--render-size" || name == "--render-background" ||
                            name == "--render-shade";
    if (!takesValue) {
      if (name.rfind("-", 0) == 0) usageError("unknown option " + name);
      usageError("unexpected argument \"" + name + "\" (options start with --)");
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) usageError(name + " needs a value");
      value = args[++i];
    }
    if (value.empty()) usageError(name + " needs a value");
    const std::wstring wide = fromUtf8(value);
    auto once = [&](std::wstring& slot) {
      if (!slot.empty()) usageError(name + " is given twice");
      slot = wide;
    };
    if (name == "--open") once(o.open);
    else if (name == "--job") once(o.job);
    else if (name == "--save") once(o.save);
    else if (name == "--render") {
      once(o.render);
      if (!endsWithNoCase(o.render, L".png") && !endsWithNoCase(o.render, L".svg"))
        usageError("--render writes a .png or .svg file, not \"" + value + "\"");
    } else if (name == "--load") o.load.push_back(wide);
    else if (name == "--render-background") {
      if (backgroundGiven) usageError(name + " is given twice");
      backgroundGiven = true;
      if (value != "dark" && value != "light") usageError("--render-background is dark or light, not \"" + value + "\"");
      o.renderDark = value == "dark";
    } else if (name == "--render-shade") {
      if (shadeGiven) usageError(name + " is given twice");
      shadeGiven = true;
      if (value != "elevation" && value != "none")
        usageError("--render-shade is elevation or none, not \"" + value + "\"");
      o.renderShadeElevation = value == "elevation";
    } else {
      if (sizeGiven) usageError(name + " is given twice");
      sizeGiven = true;
      if (!parseSize(value, o.renderWidth, o.renderHeight))
        usageError("--render-size takes WIDTHxHEIGHT in pixels, such as 1600x1200, not \"" + value + "\"");
    }
  }
  if (o.gui && (!o.job.empty() || !o.save.empty() || !o.render.empty()))
    usageError("--gui opens the desktop program; --job, --save and --render are for batch runs");
  if (o.gui && o.times) usageError("--gui opens the desktop program; --times is for batch runs");
  if (o.replace && o.save.empty() && o.render.empty())
    usageError("--replace lets --save and --render replace a file; give one of them too");
  return o;
}

std::string CommandLineOptions::usage() {
  return R"(Usage: cadhost [options]
       cadhost --gui [--open DRAWING.dxf] [--load MODULE.so]

Runs the CAD host in batch mode: makes the drawing (empty, or read from a
DXF file), loads the modules, runs the job script, then saves the drawing
and draws a picture of it. With --gui it opens the desktop program instead,
with UIVantor2.so of the build loaded unless --load names the modules.

Options:
  --gui                   open the desktop program (a window) on the drawing
  --open DRAWING.dxf      start from this drawing instead of an empty one
  --load MODULE.so        load a module; may be given more than once, the
                          modules load in the order given
  --job SCRIPT.job        run a job script: commands as typed at the command
                          line, the answers to what they ask on the lines
                          after them, and the host's verbs
  --save OUT.dxf          save the drawing when the job is done; a file
                          already there that is not the drawing's own (the
                          one it was opened from or this run saved) is kept,
                          and cadhost ends with status 3, unless --replace
  --render OUT.png|.svg   draw the drawing into a picture when the job is
                          done; a file already there is kept as --save keeps
                          one, unless it is a picture cadhost drew
  --replace               let --save and --render replace such a file
  --render-size WxH       the picture's size in pixels (default 1600x1200)
  --render-background dark|light
                          the pictures' background: light (white, the
                          default) or dark, as CAD programs show model space
  --render-shade elevation|none
                          fill 3D faces by their elevation, with a legend of
                          elevations (default none: outlines only)
  --quiet                 do not copy the command line to standard output
  --times                 print what each step costs: the start, each command
                          or verb of the job, --save, --render and the whole
                          run, each with its CPU and wall-clock seconds, the
                          peak memory so far and the memory held after it
                          ("times: ..." lines)
  --help                  show this help

Host verbs in job scripts:
  open "drawing.dxf"      replace the drawing with this one
  save "out.dxf"          save the drawing; a file already there that is not
                          the drawing's own is replaced only after the
                          question "... already exists. Do you want to
                          replace it?" (answer yes|no on the next line)
  render "out.png"        draw a picture of the drawing (.png or .svg); a file
                          already there that cadhost did not draw is asked
                          about as save asks
  view cx,cy height       show the view of this centre and height
  regen                   regenerate the view: temporary vectors vanish
  background dark|light   the background of the pictures drawn from now on
  shade elevation|none    fill 3D faces by elevation in the pictures from now on
  load "module.so"        load a module
  unload "module"         unload a module, by file name
  call Function ["text"]  call CVantorUIInterface::Function of a loaded module
  new                     replace the drawing with an empty one
  layer "NAME" on|off     turn a layer on or off
  layer "NAME" color N    give a layer the colour N (1-255)

Files a job script reads (drawings, modules, answers) are found from the
script's folder; files it writes from the current folder.

Exit status:
  0  success
  1  job error: a script line that does not parse, a wrong or missing
     answer, an answer nothing asked for, an unknown or failing command
  2  usage error: options cadhost cannot take
  3  file error: a drawing, script or module that cannot be read or loaded,
     or a drawing or picture that cannot be written, or a file that --save
     or --render would replace without --replace
)";
}

}  // namespace uv::host
