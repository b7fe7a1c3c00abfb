// Dialog units to pixels, as Windows converts them for the dialog font:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height. The model uses the base units of
// the default dialog font (MS Shell Dlg, 8 points, at 96 dots per inch);
// a front end may compute them from the font it really draws with.
#pragma once

#include "base/CRect.h"

namespace uv {

struct DialogUnits {
  int baseX = 6;
  int baseY = 13;

  static const DialogUnits& standard() {
    static const DialogUnits units;
    return units;
  }
  int x(int dlu) const { return muldiv(dlu, baseX, 4); }
  int y(int dlu) const { return muldiv(dlu, baseY, 8); }
  CRect toPixels(const CRect& dlu) const {
    return CRect(x(dlu.left), y(dlu.top), x(dlu.right), y(dlu.bottom));
  }

 private:
  // MulDiv: rounded to the nearest integer.
  static int muldiv(int a, int b, int c) {
    long long p = (long long)a * b;
    return int(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
  }
};

}  // namespace uv
