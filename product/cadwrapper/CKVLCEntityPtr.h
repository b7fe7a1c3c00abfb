// The entity pointers without operations of their own: each opens one
// entity of its class by id (see CKVLCObjectPtr for what an id of another
// class gives). The polyline and block-reference pointers have their own
// headers.
#pragma once

#include "db/AcDbArc.h"
#include "db/AcDbCircle.h"
#include "db/AcDbEntity.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbText.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLCEntityPtr : public CKVLCObjectPtr<AcDbEntity> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;
};

class CKVLCLinePtr : public CKVLCObjectPtr<AcDbLine> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;
};

class CKVLCArcPtr : public CKVLCObjectPtr<AcDbArc> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;
};

class CKVLCCirclePtr : public CKVLCObjectPtr<AcDbCircle> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;
};

class CKVLCPointPtr : public CKVLCObjectPtr<AcDbPoint> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;
};

class CKVLCTextPtr : public CKVLCObjectPtr<AcDbText> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;
};

class CKVLCFacePtr : public CKVLCObjectPtr<AcDbFace> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;
};
