// Texts need Qt's font database, which needs a QGuiApplication, and pictures
// of dialogs need widgets. Batch runs and tests have no application and no
// display: ensure() makes a QApplication on the offscreen platform (unless
// QT_QPA_PLATFORM says otherwise) that lives to the end of the process. A
// front end that made its own application keeps it.
#pragma once

namespace uv::render {

class OffscreenApplication {
 public:
  static void ensure();
};

}  // namespace uv::render
