#include "product/cadwrapper/CKVLCEdit.h"

#include "ed/AcApDocManager.h"

bool CKVLCEdit::zoom(const AcDbExtents& extents) {
  AcApDocument* doc = curDoc();
  if (!doc || extents.isEmpty()) return false;
  doc->view().zoomToExtents(extents.minPoint(), extents.maxPoint());
  return true;
}
