// A picture of the desktop program as a person sees it, for the README and
// for a person to look at: the sample site open, the surface manager's
// dialog over it. Runs on a real X server (Xvfb in the tests):
//
//   xvfb-run -a -s "-screen 0 1400x900x24" gui_screenshot SITE.dxf MODULE.so OUT.png
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "host/HostSession.h"
#include "host/gui/MainWindow.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gui_screenshot SITE.dxf MODULE.so OUT.png\n");
    return 2;
  }
  QApplication app(argc, argv);
  uv::host::HostSession session(1600, 1200);
  session.newDrawing();
  uv::gui::MainWindow window(session);
  if (!window.openDrawing(QString::fromLocal8Bit(argv[1])) || !window.loadModule(QString::fromLocal8Bit(argv[2])))
    return 3;
  window.setGeometry(QApplication::primaryScreen()->availableGeometry().adjusted(0, 0, 0, 0));
  window.show();
  int result = 4;
  const QString out = QString::fromLocal8Bit(argv[3]);
  // Once the surface manager is up, the whole screen is taken and the dialog closed.
  QTimer poll;
  poll.setInterval(100);
  int waited = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog && ++waited < 100) return;
    poll.stop();
    if (dialog) {
      dialog->move(window.geometry().center() - dialog->rect().center() + QPoint(260, -120));
      QApplication::processEvents();
      QTimer::singleShot(500, [&, dialog] {
        const QPixmap shot = QApplication::primaryScreen()->grabWindow(0);
        result = shot.save(out) ? 0 : 5;
        auto* close = dialog->findChild<QPushButton*>(QStringLiteral("IDCLOSE"));
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
    poll.start();
    window.runCommand(QStringLiteral("SURFMAN"));
    QApplication::exit(0);  // quit() would ask whether to save the drawing
  });
  QApplication::exec();
  return result;
}
