// What a DXF load or save reports: success, or one error that names the
// file (and, when reading, the line of the file where it went wrong); and
// for a load, what the file held that the drawing does not keep.
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
  // Entity and object kinds that were read past, with how many of each
  // ("HATCH" -> 3). Not an error: a drawing may hold kinds we do not model.
  std::map<std::string, int> skipped;

  explicit operator bool() const { return ok; }
  int skippedCount() const;
  // "3 HATCH, 1 MTEXT" (empty when nothing was skipped).
  std::wstring skippedText() const;
};

}  // namespace uv::dxf
