#include "product/cadwrapper/CKVLCLinetypeTablePtr.h"

#include "db/AcDbHostApplicationServices.h"
#include "product/cadwrapper/SymbolTableNames.h"

CKVLCLinetypeTablePtr::CKVLCLinetypeTablePtr(AcDb::OpenMode mode) {
  if (AcDbDatabase* db = acdbCurDwg()) open(db->linetypeTableId(), mode);
  else fail(Acad::eNotInDatabase);
}

int CKVLCLinetypeTablePtr::getNames(CStringArray& names) const {
  return uv::cadwrapper::recordNames(object(), names);
}
