// Texts need Qt's font database, which needs a QGuiApplication. Batch runs
// and tests have none and no display: ensure() makes one on the offscreen
// platform (unless QT_QPA_PLATFORM says otherwise) that lives to the end of
// the process. A front end that made its own application keeps it.
#pragma once

namespace uv::render {

class OffscreenApplication {
 public:
  static void ensure();
};

}  // namespace uv::render
