// The working database's layer table.
#pragma once

#include "base/CStringArray.h"
#include "db/AcDbLayerTable.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLCLayerTablePtr : public CKVLCObjectPtr<AcDbLayerTable> {
 public:
  // Opens the layer table of the working database (eNotInDatabase without one).
  explicit CKVLCLayerTablePtr(AcDb::OpenMode mode = AcDb::kForRead);

  // Replaces `names` with the names of the live layers in table order and
  // returns their count; 0 when the table is not open.
  int allLayerNames(CStringArray& names) const;
};
