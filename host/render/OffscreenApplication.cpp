#include "host/render/OffscreenApplication.h"

#include <QApplication>
#include <cstdio>

namespace uv::render {

void OffscreenApplication::ensure() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt keeps references to argc and argv for the application's life.
  static int argc = 1;
  static char name[] = "cadhost";
  static char* argv[] = {name, nullptr};
  // Starting up, Qt talks about the session it finds (no runtime folder, no
  // display); none of it matters for pictures, and batch output stays clean.
  QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
  });
  // Never destroyed: Qt's own statics may be gone by the time static
  // destructors run. The pointer stays reachable, so it is no leak.
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
  qInstallMessageHandler(previous);
}

}  // namespace uv::render
