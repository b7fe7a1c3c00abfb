#include "module/components/EntityGroup.h"

#include <memory>

#include "db/AcDbDatabase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbGroup.h"
#include "db/AcDbHostApplicationServices.h"
#include "product/giscore/CUtility.h"

bool CreateEntityGroup(const AcDbObjectIdArray& ids) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (!db) return false;
  AcDbDictionary* groups = nullptr;
  if (db->getGroupDictionary(groups, AcDb::kForWrite) != Acad::eOk || !groups) return false;

  auto group = std::make_unique<AcDbGroup>();
  const CString name = CUtility::CreateGUID();
  AcDbObjectId groupId;
  if (groups->setAt(name, group.get(), groupId) != Acad::eOk) {
    groups->close();
    return false;
  }
  AcDbGroup* filed = group.release();  // the dictionary owns it now
  groups->close();
  filed->append(ids);
  filed->close();
  return true;
}
