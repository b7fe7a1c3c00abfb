// The dialog font and its base units, found as Windows finds them: the
// average width of the 52 letters, halved and rounded up, and the font's
// height. Model rectangles (in the model's standard base units) are
// scaled to the widget font's.
#pragma once

#include <QFont>
#include <QRect>

#include "base/CRect.h"

namespace uv::qt {

class DialogMetrics {
 public:
  // The sans-serif font closest to the dialogs' "MS Shell Dlg", 8 points.
  DialogMetrics();
  explicit DialogMetrics(const QFont& font);

  const QFont& font() const { return m_font; }
  int baseX() const { return m_baseX; }
  int baseY() const { return m_baseY; }
  // A rectangle of the model (pixels at the standard base units).
  QRect toWidget(const CRect& model) const;
  int x(int modelPixels) const;
  int y(int modelPixels) const;

 private:
  QFont m_font;
  int m_baseX = 6;
  int m_baseY = 13;
};

}  // namespace uv::qt
