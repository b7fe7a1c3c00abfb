#include "AcDbRegAppTable.h"

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "adscodes.h"

UV_DEFINE_RX_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, L"TABLE")

int acdbRegApp(const ACHAR* appName) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (!db || !appName) return RTERROR;
  AcDbRegAppTable* table = nullptr;
  // Tagging registers its applications for every entity it draws: a name
  // already there costs a look, not a check of its letters nor an opening
  // for write (which the undo log would record).
  if (db->getRegAppTable(table, AcDb::kForRead) == Acad::eOk) {
    const bool known = table->has(appName);
    table->close();
    if (known) return RTERROR;
  }
  if (!AcDbSymbolTableRecord::isValidName(appName)) return RTERROR;
  if (db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) return RTERROR;
  int result = RTERROR;
  if (!table->has(appName)) {
    auto* rec = new AcDbRegAppTableRecord;
    rec->setName(appName);
    if (table->add(rec) == Acad::eOk) {
      rec->close();
      result = RTNORM;
    } else {
      delete rec;
    }
  }
  table->close();
  return result;
}
