// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CSwapTringleSelection.h"

#include "db/adscodes.h"
#include "ed/EdInput.h"
#include "ed/EdPrint.h"
#include "product/engine/CKVLXsurface_Vantor2.h"

namespace Vantor2_UserSelection {

int CSwapTringleSelection::Select(CKVLTriangle*& t1, CKVLTriangle*& t2) {
  t1 = nullptr;
  t2 = nullptr;
  if (!m_pSurface) return 0;
  ads_point first, second;
  int rc = acedGetPoint(nullptr, L"\nPick a point in the first triangle (Enter to finish): ", first);
  if (rc != RTNORM) return rc;
  const AcGePoint3d p1(first[X], first[Y], first[Z]);
  if (!m_pSurface->TriangleAt(p1)) acutPrintf(L"\nThat point is off the surface.");
  rc = acedGetPoint(first, L"\nPick a point in the neighbouring triangle: ", second);
  if (rc != RTNORM) return rc;
  const AcGePoint3d p2(second[X], second[Y], second[Z]);
  // Both looked up after the second pick: the element array is the same for both.
  t1 = m_pSurface->TriangleAt(p1);
  t2 = m_pSurface->TriangleAt(p2);
  if (!t2) acutPrintf(L"\nThat point is off the surface.");
  return 1;
}

}  // namespace Vantor2_UserSelection
