// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "product/engine/CKVLIndexElement.h"

// A triangle of a surface: three point indices, counter-clockwise in plan, for
// CKVLXsurface_Vantor2::GetPointAtIndex.
class CKVLTriangle : public CKVLIndexElement<3> {
 public:
  CKVLTriangle() = default;
  CKVLTriangle(Adesk::Int32 index, Adesk::Int32 a, Adesk::Int32 b, Adesk::Int32 c) {
    m_nIndex = index;
    m_nPoint[0] = a;
    m_nPoint[1] = b;
    m_nPoint[2] = c;
  }
  const wchar_t* ElementName() const override { return L"CKVLTriangle"; }
};
