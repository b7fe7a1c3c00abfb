// What a DXF load or save reports: success, or one error that names the
// file (and, when reading, the line of the file where it went wrong); and
// for a load, what the reader had to mend because it pointed at nothing or
// contradicted the drawing. (Nothing a file holds is left out: what the
// drawing does not model is kept as it came.)
#pragma once

#include <map>
#include <string>

namespace uv::dxf {

struct Result {
  bool ok = true;
  // "site.dxf, line 120: ..." (empty when ok).
  std::wstring error;
  // The 1-based line of the file the error points at, 0 when none does.
  int line = 0;
  // What was mended, with how many of each ("dictionary entry naming no
  // object" -> 2). Not an error.
  std::map<std::string, int> mended;
  explicit operator bool() const { return ok; }
  int mendedCount() const;
  // "2 dictionary entries naming no object" (empty when nothing was mended).
  std::wstring mendedText() const;
};

}  // namespace uv::dxf
