// The AutoCAD Color Index: colour numbers 1-255 as RGB values, and the
// colour a number is drawn in on a given background.
//
//   1-9     red, yellow, green, cyan, blue, magenta, white, dark and light grey
//   10-249  24 hues 15 degrees apart; in each group of ten the even members
//           are saturated and the odd ones pastel, at five brightness levels
//   250-255 a grey ramp from dark to white
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
