// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ge/AcGePointArrays.h"

// The engine's point array: boundary rings and area polygons. It is the host's point array, so
// it goes wherever one is expected.
class CKVLPoint3dArray : public AcGePoint3dArray {
 public:
  using AcGePoint3dArray::AcGePoint3dArray;
  CKVLPoint3dArray() = default;
};
