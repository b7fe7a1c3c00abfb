// The BLOCK and ENDBLK markers of a block definition. They carry nothing but
// their identity: a file writer gives them their own handles.
#pragma once

#include "AcDbEntity.h"

class AcDbBlockBegin : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockBegin);
  UV_DECLARE_CLONE(AcDbBlockBegin);
};

class AcDbBlockEnd : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbBlockEnd);
  UV_DECLARE_CLONE(AcDbBlockEnd);
};

// The SEQEND marker after the vertices of a polyline or the attributes of a
// block reference.
class AcDbSequenceEnd : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
  UV_DECLARE_CLONE(AcDbSequenceEnd);
};
