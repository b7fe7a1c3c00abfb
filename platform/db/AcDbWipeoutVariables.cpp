#include "AcDbWipeoutVariables.h"

#include "AcDbDatabase.h"
#include "AcDbDictionary.h"
#include "AcDbObjectPointer.h"

UV_DEFINE_RX_MEMBERS(AcDbWipeoutVariables, AcDbObject, L"WIPEOUTVARIABLES")

AcDbObjectId AcDbWipeoutVariables::ensureIn(AcDbDatabase* db) {
  if (!db) return AcDbObjectId();
  AcDbObjectId id;
  {
    AcDbObjectPointer<AcDbDictionary> nod(db->namedObjectsDictionaryId(), AcDb::kForRead);
    if (nod.openStatus() != Acad::eOk) return AcDbObjectId();
    if (nod->getAt(dictionaryKey(), id) == Acad::eOk) return id;
  }
  AcDbObjectPointer<AcDbDictionary> nod(db->namedObjectsDictionaryId(), AcDb::kForWrite);
  if (nod.openStatus() != Acad::eOk) return AcDbObjectId();
  auto* vars = new AcDbWipeoutVariables();
  if (nod->setAt(dictionaryKey(), vars, id) != Acad::eOk) {
    delete vars;
    return AcDbObjectId();
  }
  vars->close();
  return id;
}
