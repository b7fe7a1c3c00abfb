// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/CString.h"

namespace Vantor2_Configurations {

// How contour labels look. The defaults suit a drawing in metres plotted at about 1:1000.
class CIzoLineLabelDefinition {
 public:
  CIzoLineLabelDefinition() = default;

  double m_dTextHeight = 2.5;    // drawing units
  double m_dWidthFactor = 1.0;
  int m_nDecimals = 2;           // the level is written "%.2f"...
  bool m_bTrimZeros = true;      // ...without trailing zeros: 105, 102.5, 101.25
  int m_nColor = 256;            // colour index; 256 ByLayer
  CString m_strLayer;            // empty: the contour's own layer
  CString m_strTextStyle;        // empty: the drawing's current text style
  bool m_bMask = true;           // keep the contour line out from behind the text
  double m_dMaskMargin = 0.25;   // free space at each end of the text, times the text height

  CString FormatLevel(double level) const;
};

}  // namespace Vantor2_Configurations
