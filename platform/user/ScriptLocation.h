// Where a script action came from: file, line and the line's text. Actions
// built in code have no line (0) and describe themselves instead.
#pragma once

#include <string>

namespace uv {

struct ScriptLocation {
  std::wstring file;
  int line = 0;
  std::wstring text;  // the line as written, without leading and trailing blanks

  bool known() const { return line > 0; }
  // "job.txt:12: ", or "" for an unknown place.
  std::wstring prefix() const {
    if (!known()) return file.empty() ? std::wstring() : file + L": ";
    return file + L":" + std::to_wstring(line) + L": ";
  }
};

}  // namespace uv
