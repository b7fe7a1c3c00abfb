// Drawings in and out of DXF files for the host. Failures throw HostError
// with kFileError and the reader's or writer's message, which names the
// file (and the line of the file, when reading).
#pragma once

#include <memory>
#include <string>

class AcDbDatabase;

namespace uv::host {

class DrawingFiles {
 public:
  // A new database holding the drawing. What the reader had to mend (a
  // reference to nothing) is told on the command line.
  static std::unique_ptr<AcDbDatabase> read(const std::wstring& path);
  // The file is replaced only once the whole drawing is written.
  static void write(const AcDbDatabase& db, const std::wstring& path);
};

}  // namespace uv::host
