// Colour numbers of the AutoCAD Color Index as the picture shows them. The
// palette itself is the dialog framework's (uv::aciToRgb), so that a colour
// looks the same in the colour dialog and in the drawing.
#pragma once

#include <QColor>

namespace uv::render {

class AciPalette {
 public:
  // The palette's RGB value; black for a number outside 1-255.
  static QColor rgb(int index);
  // What a screen shows: colour 7 turns black on a light background and
  // stays white on a dark one; every other colour is its RGB value.
  static QColor onBackground(int index, const QColor& background);
};

}  // namespace uv::render
