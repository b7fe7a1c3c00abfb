// Editing of the current view.
#pragma once

#include "db/AcDbExtents.h"

class CKVLCEdit {
 public:
  // Zooms the current document's view so that it shows the extents whole
  // (in plan, centred, with the host's small zoom margin); VIEWCTR and
  // VIEWSIZE report the new view. False, and the view unchanged, for empty
  // extents or without a current document.
  static bool zoom(const AcDbExtents& extents);
};
