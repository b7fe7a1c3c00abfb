#include "AcDbSymbolTableRecord.h"

#include <cwchar>

#include "AcDbDatabase.h"
#include "AcDbSymbolTable.h"
#include "DbAccess.h"
#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbSymbolTableRecord, AcDbObject, nullptr)

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const {
  name = uv::newResString(m_name.c_str());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const {
  name = m_name.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(CString& name) const {
  name = m_name.c_str();
  return Acad::eOk;
}

bool AcDbSymbolTableRecord::isValidName(const ACHAR* name) {
  if (!name || !*name) return false;
  for (const ACHAR* p = name; *p; ++p) {
    if (*p < 0x20) return false;
    if (*p == L'*' && p == name) continue;
    if (std::wcschr(L"<>/\\\":;?*|,=`", *p)) return false;
  }
  return true;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!isValidName(name)) return Acad::eInvalidInput;
  if (m_name == name) return Acad::eOk;
  if (database() && database()->isBuiltInObject(objectId())) return Acad::eNotApplicable;
  if (auto* table = uv::DbAccess::peekAs<AcDbSymbolTable>(ownerId()))
    if (!table->findOther(name, objectId()).isNull()) return Acad::eDuplicateRecordName;
  m_name = name;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::subErase(bool erasing) {
  if (erasing && database() && database()->isBuiltInObject(objectId())) return Acad::eNotApplicable;
  if (!erasing) {
    // Unerasing must not make two live records of one name.
    if (auto* table = uv::DbAccess::peekAs<AcDbSymbolTable>(ownerId()))
      if (!table->findOther(m_name.c_str(), objectId()).isNull()) return Acad::eDuplicateRecordName;
  }
  return Acad::eOk;
}
