// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CKVLTriangle;
class CKVLXsurface_Vantor2;

namespace Vantor2_UserSelection {

// Asks the user, through the editor, for the two triangles of a diagonal swap: a point in
// each, the second with a rubber band from the first.
class CSwapTringleSelection {
 public:
  CSwapTringleSelection() = default;

  void Surface(CKVLXsurface_Vantor2* surface) { m_pSurface = surface; }

  // 1 when the user picked two points: t1 and t2 are then the surface's triangles under them
  // (null where a point lies off the surface). Any other value when the user ended the picking
  // with Enter or Escape (or there is no surface); t1 and t2 are then null.
  int Select(CKVLTriangle*& t1, CKVLTriangle*& t2);

 private:
  CKVLXsurface_Vantor2* m_pSurface = nullptr;
};

}  // namespace Vantor2_UserSelection
