// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CIzoLineLabelDefinition.h"

#include <algorithm>

namespace Vantor2_Configurations {

CString CIzoLineLabelDefinition::FormatLevel(double level) const {
  CString text;
  text.Format(L"%.*f", std::clamp(m_nDecimals, 0, 9), level);
  if (m_bTrimZeros && text.Find(L'.') >= 0) {
    text.TrimRight(L'0');
    text.TrimRight(L'.');
  }
  if (text == L"-0") text = L"0";
  return text;
}

}  // namespace Vantor2_Configurations
