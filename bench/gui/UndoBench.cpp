// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo, in the desktop program, of a command that added a TIN of
// 3D faces (2M by default) to the drawing: run as a person runs them (the
// UNDO and REDO commands of the main window, through the host session and
// the drawing's undo log) and the view painted after each, its index caught
// up or built again. Beside them the way the host undid before it had the
// log: the drawing kept as DXF before the command, and Undo writing the
// drawing as it is (for Redo) and reading the kept one back.
//
//   bench_undo [faces] [scratch folder]
//
// Prints "key value" lines: CPU seconds, sizes, and the ratio of the DXF way
// to the log's.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchWindow.h"
#include "base/TextCase.h"
#include "db/UndoLog.h"
#include "db/dxf/DxfFile.h"
#include "ed/AcApDocManager.h"
#include "ed/AcApDocument.h"
#include "rx/AcEdCommandStack.h"
#include "rx/SystemRegistry.h"

namespace {

using uvbench::cpuSeconds;
using uvbench::report;

long g_faces = 2000000;

// The command: the TIN, appended to model space.
void addFaces() { uvbench::addTin(*curDoc()->database(), g_faces); }

size_t entityCount(AcDbDatabase& db) {
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead) != Acad::eOk) return 0;
  size_t n = 0;
  for (AcDbObject* o : space->entities(true)) n += o != nullptr;
  space->close();
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  g_faces = argc > 1 ? std::atol(argv[1]) : 2000000;
  const std::filesystem::path folder = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  uvbench::reportLoad();

  uvbench::BenchWindow w(QSize(1280, 800));
  acedRegCmds->addCommand(L"BENCH", L"FACES", L"FACES", 0, &addFaces);
  double t = cpuSeconds();
  if (!w.window->runCommand(QStringLiteral("FACES"))) return 1;
  report("command_s", cpuSeconds() - t);
  const size_t added = entityCount(w.db());
  report("faces", double(added));
  w.view().zoomExtents();
  t = cpuSeconds();
  w.paint();
  report("paint_after_command_s", cpuSeconds() - t);

  auto step = [&](const char* name, const char* key, const char* paintKey, size_t expected) {
    const double t0 = cpuSeconds();
    w.window->runCommand(QString::fromLatin1(name));
    const double done = cpuSeconds() - t0;
    const double t1 = cpuSeconds();
    w.paint();
    const double painted = cpuSeconds() - t1;
    report(key, done);
    report(paintKey, painted);
    if (entityCount(w.db()) != expected) {
      std::fprintf(stderr, "%s left %zu entities, not %zu\n", name, entityCount(w.db()), expected);
      std::exit(1);
    }
    return done + painted;
  };
  const double undo = step("UNDO", "undo_s", "undo_paint_s", 0);
  report("undo_seen_s", undo);
  report("redo_seen_s", step("REDO", "redo_s", "redo_paint_s", added));
  report("undo_again_seen_s", step("UNDO", "undo_again_s", "undo_again_paint_s", 0));

  // The DXF way: the empty drawing was kept before the command; Undo writes
  // the drawing with its faces and reads the kept one.
  {
    AcDbDatabase before;
    const std::wstring kept = uv::fromUtf8((folder / "bench_undo_before.dxf").string());
    const std::wstring now = uv::fromUtf8((folder / "bench_undo_now.dxf").string());
    uv::dxf::save(before, kept);
    AcDbDatabase after;
    uvbench::addTin(after, g_faces);
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
  uvbench::reportLoad();
  return 0;
}
