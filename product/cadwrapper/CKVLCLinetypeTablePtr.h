// The working database's linetype table.
#pragma once

#include "base/CStringArray.h"
#include "db/AcDbLinetypeTable.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLCLinetypeTablePtr : public CKVLCObjectPtr<AcDbLinetypeTable> {
 public:
  // Opens the linetype table of the working database (eNotInDatabase without one).
  explicit CKVLCLinetypeTablePtr(AcDb::OpenMode mode = AcDb::kForRead);

  // Replaces `names` with the names of the live linetypes in table order
  // (ByBlock, ByLayer and Continuous included, as the table holds them) and
  // returns their count; 0 when the table is not open.
  int getNames(CStringArray& names) const;
};
