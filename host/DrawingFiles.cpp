#include "host/DrawingFiles.h"

#include "db/AcDbDatabase.h"
#include "db/dxf/DxfFile.h"
#include "ed/Transcript.h"
#include "host/HostError.h"

namespace uv::host {

std::unique_ptr<AcDbDatabase> DrawingFiles::read(const std::wstring& path) {
  auto db = std::make_unique<AcDbDatabase>();
  const dxf::Result r = dxf::load(path, *db);
  if (!r.ok) throw HostError(ExitCode::kFileError, r.error);
  if (r.mendedCount() > 0) Transcript::instance().write(path + L": mended on reading: " + r.mendedText() + L"\n");
  return db;
}

void DrawingFiles::write(const AcDbDatabase& db, const std::wstring& path) {
  const dxf::Result r = dxf::save(db, path);
  if (!r.ok) throw HostError(ExitCode::kFileError, r.error);
}

}  // namespace uv::host
