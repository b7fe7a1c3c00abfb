#include "AcDbRegAppTable.h"

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "adscodes.h"

UV_DEFINE_RX_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, L"TABLE")

int acdbRegApp(const ACHAR* appName) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (!db || !AcDbSymbolTableRecord::isValidName(appName)) return RTERROR;
  AcDbRegAppTable* table = nullptr;
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
