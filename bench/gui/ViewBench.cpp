// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's drawing view on a large drawing: a TIN of 3D faces
// (2M by default) in the main window's view, painted by the view's own
// paint event through its spatial index: at the whole extents, at a view of
// a few thousand faces, panning, and after a command that adds a line (the
// index caught up) and its Undo. Beside them the same pictures painted
// without the index (every entity, the way the view painted before it had
// one).
//
//   bench_view [faces] [width height]
//
// Prints "key value" lines: CPU seconds (the median of several paints), the
// sizes, and the ratio of painting without to painting with the index.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "BenchWindow.h"
#include "db/AcDbLine.h"
#include "ed/AcApDocManager.h"
#include "ed/AcApDocument.h"
#include "host/render/DrawingRenderer.h"
#include "rx/AcEdCommandStack.h"
#include "rx/SystemRegistry.h"

namespace {

using uvbench::cpuSeconds;
using uvbench::report;

// The median CPU time of `runs` calls.
double median(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double t = cpuSeconds();
    work();
    times.push_back(cpuSeconds() - t);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A command that adds one short line, as a person draws one.
void addLine() {
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, curDoc()->database()->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return;
  auto* line = new AcDbLine(AcGePoint3d(10, 10, 120), AcGePoint3d(60, 35, 120));
  space->appendAcDbEntity(line);
  line->close();
  space->close();
}

}  // namespace

int main(int argc, char** argv) {
  const long faces = argc > 1 ? std::atol(argv[1]) : 2000000;
  const QSize size(argc > 3 ? std::atoi(argv[2]) : 1280, argc > 3 ? std::atoi(argv[3]) : 800);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  uvbench::reportLoad();

  uvbench::BenchWindow w(size);
  double t = cpuSeconds();
  uvbench::addTin(w.db(), faces);
  report("drawing_build_s", cpuSeconds() - t);
  AcDbBlockTableRecord* space = nullptr;
  acdbOpenObject(space, w.db().modelSpaceId(), AcDb::kForRead);
  const double entities = double(space->entityIds().size());
  space->close();
  report("faces", entities);
  report("view_width", w.view().width());
  report("view_height", w.view().height());

  // The drawing comes into the view: extents, the index built, the picture.
  t = cpuSeconds();
  w.view().setDocument(w.session.document());
  w.view().zoomExtents();
  w.paint();
  report("first_paint_s", cpuSeconds() - t);
  AcApDocument* doc = w.session.document();
  const AcGePoint3d wholeCentre = doc->view().centre();
  const double wholeHeight = doc->view().height();

  const double whole = median(5, [&] { w.redraw(); });
  report("whole_extents_s", whole);
  t = cpuSeconds();
  w.view().zoomExtents();
  w.paint();
  report("zoom_extents_action_s", cpuSeconds() - t);

  // A view about 1500 cells (3000 faces) large, in the middle.
  const double side = std::sqrt(entities / 2);
  const double h = std::sqrt(1500.0 * size.height() / size.width());
  const AcGePoint3d middle(side / 2 + 0.3, side / 2 + 0.4, 0);
  doc->view().set(middle, h);
  const double zoomed = median(21, [&] { w.redraw(); });
  report("zoomed_view_faces", 2 * 1500);
  report("zoomed_s", zoomed);
  const double pan = median(21, [&] {
    w.view().panByPixels(QPointF(size.width() / 10.0, 0));
    w.paint();
  });
  report("pan_s", pan);

  // A command adds a line, and Undo takes it back: the index catches up.
  doc->view().set(middle, h);
  w.redraw();
  acedRegCmds->addCommand(L"BENCH", L"BENCHLINE", L"BENCHLINE", 0, &addLine);
  const double command = median(5, [&] {
    w.window->runCommand(QStringLiteral("BENCHLINE"));
    w.paint();
  });
  report("zoomed_after_command_s", command);
  const double undo = median(5, [&] {
    w.window->runCommand(QStringLiteral("UNDO"));
    w.paint();
  });
  report("zoomed_after_undo_s", undo);
  doc->view().set(wholeCentre, wholeHeight);
  w.redraw();
  report("whole_after_command_s", median(3, [&] {
           w.window->runCommand(QStringLiteral("BENCHLINE"));
           w.paint();
         }));

  // Without the index: every entity painted, once each.
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  auto unindexed = [&](const AcGePoint3d& centre, double height) {
    uv::render::DrawingRenderer renderer(w.db());
    renderer.setView(centre, height);
    QPainter painter(&image);
    renderer.paint(painter, size);
  };
  const double zoomedWithout = median(1, [&] { unindexed(middle, h); });
  report("zoomed_unindexed_s", zoomedWithout);
  report("zoomed_ratio", zoomedWithout / zoomed);
  const double wholeWithout = median(1, [&] { unindexed(wholeCentre, wholeHeight); });
  report("whole_extents_unindexed_s", wholeWithout);
  report("whole_extents_ratio", wholeWithout / whole);
  report("target_whole_extents_s", 0.2);
  report("target_zoomed_s", 0.016);
  uvbench::reportLoad();
  return 0;
}
