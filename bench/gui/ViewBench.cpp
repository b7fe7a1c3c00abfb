// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's drawing view on a large drawing: a TIN of 3D faces
// (a grid of cells, two faces each, 2M faces by default) painted as the
// view paints it, through its spatial index, at the whole extents and at a
// view of a few thousand faces; beside it the same pictures painted without
// the index (every entity, the way the view painted before it had one).
//
//   bench_view [cells per side] [width height]
//
// Prints "key value" lines: CPU seconds (the median of several paints), the
// faces a view shows, and the ratio of painting without to painting with
// the index.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "db/AcDbObjectPointer.h"
#include "host/render/DrawingIndex.h"
#include "host/render/DrawingPainter.h"
#include "host/render/DrawingRenderer.h"

namespace {

using uv::render::DrawingIndex;
using uv::render::DrawingRenderer;

double cpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

void report(const char* key, double value) {
  std::printf("%s %.6g\n", key, value);
  std::fflush(stdout);
}

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

// A rolling terrain over cells x cells unit squares, two faces a square.
void addTin(AcDbDatabase& db, int cells) {
  AcDbBlockTableRecord* space = nullptr;
  acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite);
  auto z = [](int i, int j) { return 100 + 10 * std::sin(i * 0.01) * std::cos(j * 0.013); };
  for (int i = 0; i < cells; ++i)
    for (int j = 0; j < cells; ++j) {
      const AcGePoint3d a(i, j, z(i, j)), b(i + 1, j, z(i + 1, j)), c(i + 1, j + 1, z(i + 1, j + 1)),
          d(i, j + 1, z(i, j + 1));
      for (AcDbFace* face : {new AcDbFace(a, b, c), new AcDbFace(a, c, d)}) {
        face->setColorIndex(3);
        space->appendAcDbEntity(face);
        face->close();
      }
    }
  space->close();
}

}  // namespace

int main(int argc, char** argv) {
  const int cells = argc > 1 ? std::atoi(argv[1]) : 1000;
  const QSize size(argc > 3 ? std::atoi(argv[2]) : 1280, argc > 3 ? std::atoi(argv[3]) : 800);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  AcDbDatabase db;
  double t = cpuSeconds();
  addTin(db, cells);
  report("faces", 2.0 * cells * cells);
  report("drawing_build_s", cpuSeconds() - t);

  t = cpuSeconds();
  const DrawingIndex index = DrawingIndex::build(db);
  report("index_build_s", cpuSeconds() - t);

  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  auto paint = [&](const DrawingIndex* with, const AcGePoint3d* centre, double height) {
    DrawingRenderer renderer(db);
    if (centre) renderer.setView(*centre, height);
    renderer.setIndex(with);
    QPainter painter(&image);
    renderer.paint(painter, size);
  };
  // The view the renderer fits to the extents, set once as the view does.
  const uv::render::ViewMapping whole = DrawingRenderer(db).mapping(size);
  const AcGePoint3d wholeCentre = whole.centre();
  const double wholeHeight = whole.height();

  // A view about 1500 cells (3000 faces) large, in the middle.
  const double h = std::sqrt(1500.0 * size.height() / size.width());
  const AcGePoint3d middle(cells / 2.0 + 0.3, cells / 2.0 + 0.4, 0);
  const uv::render::ViewMapping zoomed(middle, h, size);
  const AcGePoint3d lo = zoomed.toDrawing(QPointF(0, size.height())), hi = zoomed.toDrawing(QPointF(size.width(), 0));
  report("zoomed_view_faces", double(index.query(uv::render::PlanBox::of(lo.x, lo.y, hi.x, hi.y)).size()));

  const double wholeWith = median(5, [&] { paint(&index, &wholeCentre, wholeHeight); });
  report("whole_extents_indexed_s", wholeWith);
  const double zoomedWith = median(21, [&] { paint(&index, &middle, h); });
  report("zoomed_indexed_s", zoomedWith);
  // Panning: views side by side across the drawing.
  const double panWith = median(21, [&] {
    static int k = 0;
    const AcGePoint3d at(cells * (0.1 + 0.04 * (k++ % 20)), cells * 0.3, 0);
    paint(&index, &at, h);
  });
  report("pan_indexed_s", panWith);

  const double zoomedWithout = median(1, [&] { paint(nullptr, &middle, h); });
  report("zoomed_unindexed_s", zoomedWithout);
  report("zoomed_ratio", zoomedWithout / zoomedWith);
  const double wholeWithout = median(1, [&] { paint(nullptr, &wholeCentre, wholeHeight); });
  report("whole_extents_unindexed_s", wholeWithout);
  report("whole_extents_ratio", wholeWithout / wholeWith);
  report("target_whole_extents_s", 0.2);
  report("target_zoomed_s", 0.016);
  return 0;
}
