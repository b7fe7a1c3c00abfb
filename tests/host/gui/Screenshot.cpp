// Pictures of the desktop program as a person sees it, for the README, the
// guide and for a person to look at: a drawing open, and optionally a
// command's dialog over it. Runs on a real X server (Xvfb in the tests):
//
//   xvfb-run -a -s "-screen 0 1400x900x24" gui_screenshot DRAWING.dxf MODULE.so OUT.png
//       [COMMAND|-] [--shade] [--dark]
//
// COMMAND (SURFMAN when not given; "-" for none) is typed once the window is
// up, as a person types it (`call CallShowSurface "Teren"` calls an entry
// function); the picture is taken when its dialog is shown, and the dialog
// closed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "host/HostSession.h"
#include "host/gui/MainWindow.h"

#if defined(__SANITIZE_ADDRESS__)
// Qt's libraries keep no frame pointers, so the fast unwinder cuts the stack of a leak inside
// Qt's D-Bus layer short, and the host's suppression of that layer cannot name it.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
#endif

namespace {

struct Options {
  const char* drawing = nullptr;
  const char* module = nullptr;
  const char* out = nullptr;
  QString command = QStringLiteral("SURFMAN");
  bool shade = false;
  bool dark = false;
};

bool parse(int argc, char** argv, Options& o) {
  if (argc < 4) return false;
  o.drawing = argv[1];
  o.module = argv[2];
  o.out = argv[3];
  for (int i = 4; i < argc; ++i) {
    if (std::strcmp(argv[i], "--shade") == 0) o.shade = true;
    else if (std::strcmp(argv[i], "--dark") == 0) o.dark = true;
    else if (i == 4 && argv[i][0] != '-') o.command = QString::fromLocal8Bit(argv[i]);
    else if (i == 4 && std::strcmp(argv[i], "-") == 0) o.command.clear();
    else return false;
  }
  return true;
}

void check(QMainWindow& window, const char* action, bool on) {
  if (auto* a = window.findChild<QAction*>(QString::fromLatin1(action))) a->setChecked(on);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse(argc, argv, o)) {
    std::fprintf(stderr, "usage: gui_screenshot DRAWING.dxf MODULE.so OUT.png [COMMAND|-] [--shade] [--dark]\n");
    return 2;
  }
  QApplication app(argc, argv);
  uv::host::HostSession session(1600, 1200);
  session.newDrawing();
  uv::gui::MainWindow window(session);
  if (!window.openDrawing(QString::fromLocal8Bit(o.drawing)) || !window.loadModule(QString::fromLocal8Bit(o.module)))
    return 3;
  window.setGeometry(QApplication::primaryScreen()->availableGeometry());
  check(window, "actionShade", o.shade);
  check(window, "actionDark", o.dark);
  window.show();
  int result = 4;
  const QString out = QString::fromLocal8Bit(o.out);
  auto shoot = [&] {
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0);
    result = shot.save(out) ? 0 : 5;
  };
  // Once the command's dialog is up, the whole screen is taken and the dialog closed.
  QTimer poll;
  poll.setInterval(100);
  int waited = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog && ++waited < 100) return;
    poll.stop();
    if (dialog) {
      // Over the drawing's right half, clear of the layer panel, so that the
      // picture shows both the drawing and the dialog.
      QWidget* area = window.centralWidget();
      const QPoint areaRight = area->mapToGlobal(QPoint(area->width(), 0));
      QPoint at = window.geometry().center() - dialog->rect().center() + QPoint(260, -120);
      at.setX(std::min(at.x(), areaRight.x() - dialog->frameGeometry().width() - 12));
      dialog->move(at);
      QApplication::processEvents();
      QTimer::singleShot(500, [&, dialog] {
        shoot();
        auto* close = dialog->findChild<QPushButton*>(QStringLiteral("IDCLOSE"));
        if (!close) close = dialog->findChild<QPushButton*>(QStringLiteral("IDCANCEL"));
        if (close) close->click();
        else dialog->close();
      });
    } else {
      result = 6;
    }
  });
  // A dialog that would not close must not hold the tests up.
  QTimer::singleShot(30000, [] { std::_Exit(7); });
  QTimer::singleShot(800, [&] {
    if (o.command.isEmpty()) {
      shoot();
    } else {
      poll.start();
      if (o.command.startsWith(QStringLiteral("call "))) window.callEntryFunction(o.command);
      else window.runCommand(o.command);
    }
    QApplication::exit(0);  // quit() would ask whether to save the drawing
  });
  QApplication::exec();
  return result;
}
