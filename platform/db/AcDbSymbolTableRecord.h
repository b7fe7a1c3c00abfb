// Base of the records of the symbol tables (blocks, layers, linetypes, text
// styles, registered applications): a name, unique in its table ignoring
// letter case.
#pragma once

#include <string>

#include "base/CString.h"
#include "AcDbObject.h"

class AcDbSymbolTableRecord : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
  UV_DECLARE_CLONE(AcDbSymbolTableRecord);

  // A malloc'ed copy (free it, or acutDelString).
  Acad::ErrorStatus getName(ACHAR*& name) const;
  // The record's own text, valid while the record lives and is not renamed.
  Acad::ErrorStatus getName(const ACHAR*& name) const;
  Acad::ErrorStatus getName(CString& name) const;
  const std::wstring& nameText() const { return m_name; }
  // eInvalidInput for an empty name or one with characters names may not
  // hold (<>/\":;?*|,=` and control characters; a leading '*' marks special
  // blocks), eDuplicateRecordName when another record of the table has it.
  Acad::ErrorStatus setName(const ACHAR* name);
  static bool isValidName(const ACHAR* name);

 protected:
  Acad::ErrorStatus subErase(bool erasing) override;

 private:
  std::wstring m_name;
};
