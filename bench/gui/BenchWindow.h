// What both desktop benchmarks share: the machine's load, CPU seconds, a
// TIN of 3D faces in a drawing, and the desktop program's main window on the
// offscreen platform over a host session, painted as the screen asks it to.
#pragma once

#include <QApplication>
#include <QPixmap>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "ed/AcApDocument.h"
#include "host/HostSession.h"
#include "host/gui/DrawingView.h"
#include "host/gui/MainWindow.h"

namespace uvbench {

inline double cpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

inline void report(const char* key, double value) {
  std::printf("%s %.6g\n", key, value);
  std::fflush(stdout);
}

// The machine's load as uptime gives it: on a shared machine, compare
// figures of one run.
inline void reportLoad() {
  char line[256] = {};
  if (FILE* p = popen("uptime", "r")) {
    if (!std::fgets(line, sizeof line, p)) line[0] = 0;
    pclose(p);
  }
  std::printf("load %s", line[0] ? line : "unknown\n");
  std::fflush(stdout);
}

// A rolling terrain of `faces` 3D faces (rounded down to whole cells): a
// square of cells, two faces a cell, appended to model space.
inline void addTin(AcDbDatabase& db, long faces) {
  const int cells = std::max(1, int(std::sqrt(faces / 2.0)));
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

// The main window with its drawing view of the size given.
class BenchWindow {
 public:
  BenchWindow(const QSize& viewSize) : session(viewSize.width(), viewSize.height()) {
    session.newDrawing();
    window = std::make_unique<uv::gui::MainWindow>(session);
    window->view().setFixedSize(viewSize);
    window->show();
    QApplication::processEvents();
  }
  AcDbDatabase& db() const { return *session.document()->database(); }
  uv::gui::DrawingView& view() const { return window->view(); }
  // The view painted as the screen asks for it (its paint event).
  void paint() const { (void)view().grab(); }
  // The same view painted again, as after a regeneration.
  void redraw() const {
    view().zoomAbout(QPointF(view().width() / 2.0, view().height() / 2.0), 1.0);
    paint();
  }

  uv::host::HostSession session;
  std::unique_ptr<uv::gui::MainWindow> window;
};

}  // namespace uvbench
