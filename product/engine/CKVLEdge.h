// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "product/engine/CKVLIndexElement.h"

// An edge of a surface: two point indices (the smaller first), for
// CKVLXsurface_Vantor2::GetPointAtIndex.
class CKVLEdge : public CKVLIndexElement<2> {
 public:
  CKVLEdge() = default;
  CKVLEdge(Adesk::Int32 index, Adesk::Int32 a, Adesk::Int32 b) {
    m_nIndex = index;
    m_nPoint[0] = a;
    m_nPoint[1] = b;
  }
  const wchar_t* ElementName() const override { return L"CKVLEdge"; }
};
