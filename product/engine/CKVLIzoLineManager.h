// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/AcDbObjectId.h"
#include "ge/AcGePointArrays.h"

class CKVLXsurface_Vantor2;

// Contour lines of a surface as lightweight polylines in the model space of the surface's
// drawing (the working drawing for a surface without one). Each polyline lies at its level
// (or at 0), is closed when the contour closes, runs with higher ground on its left, and is
// tagged with the surface name and level (ContourTag.h), by which Select finds it again.
class CKVLIzoLineManager {
 public:
  CKVLIzoLineManager() = default;

  void Surface(CKVLXsurface_Vantor2* surface) { m_pSurface = surface; }
  CKVLXsurface_Vantor2* Surface() const { return m_pSurface; }

  // Traces the level and adds its contour polylines, their ids appended to ids; atZero lays
  // them at elevation 0. Returns the number of polylines (0: the level does not cross the
  // surface, or there is no surface or drawing).
  int Create(double level, int major, AcDbObjectIdArray& ids, int atZero);

  // The contour polylines of this surface that the path (its points joined by straight
  // stretches) crosses or touches in plan; ids is emptied first. Returns their number; 0 for
  // no surface or a path of fewer than two points.
  int Select(const AcGePoint3dArray& path, AcDbObjectIdArray& ids) const;

 private:
  CKVLXsurface_Vantor2* m_pSurface = nullptr;
};
