#include "product/cadwrapper/CKVLCLayerTablePtr.h"

#include "db/AcDbHostApplicationServices.h"
#include "product/cadwrapper/SymbolTableNames.h"

CKVLCLayerTablePtr::CKVLCLayerTablePtr(AcDb::OpenMode mode) {
  if (AcDbDatabase* db = acdbCurDwg()) open(db->layerTableId(), mode);
  else fail(Acad::eNotInDatabase);
}

int CKVLCLayerTablePtr::allLayerNames(CStringArray& names) const {
  return uv::cadwrapper::recordNames(object(), names);
}
