#include "host/render/AciPalette.h"

#include "ui/AciColors.h"

namespace uv::render {

QColor AciPalette::rgb(int index) {
  const COLORREF c = aciToRgb(index);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QColor AciPalette::onBackground(int index, const QColor& background) {
  if (index == 7) return background.lightness() >= 128 ? QColor(0, 0, 0) : QColor(255, 255, 255);
  return rgb(index);
}

}  // namespace uv::render
