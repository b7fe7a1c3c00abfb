// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo of a command that added a TIN of 3D faces (2M by default)
// to a drawing, through the database's record of the command; beside it
// the way the host undid before: the drawing kept as DXF before the
// command, and undo writing the drawing as it is (for Redo) and reading
// the kept one back.
//
//   bench_undo [faces] [scratch folder]
//
// Prints "key value" lines: CPU seconds, and the ratio of the DXF way to
// the record's.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "base/TextCase.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "db/UndoLog.h"
#include "db/dxf/DxfFile.h"

namespace {

double cpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

void report(const char* key, double value) {
  std::printf("%s %.6g\n", key, value);
  std::fflush(stdout);
}

// The command: n faces in a grid, appended to model space.
void addFaces(AcDbDatabase& db, long n) {
  AcDbBlockTableRecord* space = nullptr;
  acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite);
  const long side = std::max(1L, long(std::sqrt(n / 2.0)));
  for (long k = 0; k < n; ++k) {
    const double i = double((k / 2) % side), j = double((k / 2) / side);
    auto* face = k % 2 ? new AcDbFace(AcGePoint3d(i, j, 1), AcGePoint3d(i + 1, j, 2), AcGePoint3d(i + 1, j + 1, 3))
                       : new AcDbFace(AcGePoint3d(i, j, 1), AcGePoint3d(i + 1, j + 1, 3), AcGePoint3d(i, j + 1, 2));
    space->appendAcDbEntity(face);
    face->close();
  }
  space->close();
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 2000000;
  const std::filesystem::path folder = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
  report("faces", double(n));

  {
    AcDbDatabase db;
    double t = cpuSeconds();
    addFaces(db, n);
    report("add_unrecorded_s", cpuSeconds() - t);
  }

  AcDbDatabase db;
  db.undoLog().enable();
  db.undoLog().begin(L"FACES");
  double t = cpuSeconds();
  addFaces(db, n);
  report("add_recorded_s", cpuSeconds() - t);

  t = cpuSeconds();
  const bool undone = db.undoLog().undo() == Acad::eOk;
  const double undo = cpuSeconds() - t;
  report("undo_s", undo);
  t = cpuSeconds();
  const bool redone = db.undoLog().redo() == Acad::eOk;
  report("redo_s", cpuSeconds() - t);
  t = cpuSeconds();
  db.undoLog().undo();
  report("undo_again_s", cpuSeconds() - t);
  if (!undone || !redone) {
    std::fprintf(stderr, "undo or redo failed\n");
    return 1;
  }

  // The DXF way: the empty drawing was kept before the command; Undo writes
  // the drawing with its faces and reads the kept one.
  {
    AcDbDatabase before;
    const std::wstring kept = uv::fromUtf8((folder / "bench_undo_before.dxf").string());
    const std::wstring now = uv::fromUtf8((folder / "bench_undo_now.dxf").string());
    uv::dxf::save(before, kept);
    AcDbDatabase after;
    addFaces(after, n);
    t = cpuSeconds();
    uv::dxf::save(after, now);
    AcDbDatabase restored;
    uv::dxf::load(kept, restored);
    const double dxfUndo = cpuSeconds() - t;
    report("undo_by_dxf_s", dxfUndo);
    report("undo_ratio", dxfUndo / undo);
    std::filesystem::remove(folder / "bench_undo_before.dxf");
    std::filesystem::remove(folder / "bench_undo_now.dxf");
  }
  report("target_undo_s", 1.0);
  return 0;
}
