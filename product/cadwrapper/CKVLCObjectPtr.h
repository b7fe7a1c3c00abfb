// The base of the wrapper's pointers: one database object opened by id in an
// open mode and closed when the pointer goes out of scope, also when an
// exception passes. An object of another class than T is not opened: the
// pointer stays empty and status() says why (eNotThatKindOfClass), as it
// does for a null id (eNullObjectId), an erased object (eWasErased) or an
// object open elsewhere in a clashing mode (eWasOpenForRead/Write).
//
// A class matches when the object is a T or derived from it, as the host's
// own open does: a text pointer also opens an attribute definition.
#pragma once

#include "db/AcDbObjectPointer.h"

template <class T>
class CKVLCObjectPtr : public AcDbObjectPointer<T> {
 public:
  CKVLCObjectPtr() = default;
  explicit CKVLCObjectPtr(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false)
      : AcDbObjectPointer<T>(id, mode, openErased) {}

  bool isOpen() const { return this->object() != nullptr; }
  // eOk while an object is held; otherwise why the last open failed.
  Acad::ErrorStatus status() const { return this->openStatus(); }
  AcDbObjectId objectId() const { return isOpen() ? this->object()->objectId() : AcDbObjectId(); }

  // The held object from read to write and back (eNullEntityPointer when
  // empty; eWasOpenForRead when someone else reads the object too).
  Acad::ErrorStatus upgradeOpen() { return isOpen() ? this->object()->upgradeOpen() : Acad::eNullEntityPointer; }
  Acad::ErrorStatus downgradeOpen() { return isOpen() ? this->object()->downgradeOpen() : Acad::eNullEntityPointer; }
  bool isWriteEnabled() const { return isOpen() && this->object()->isWriteEnabled(); }
};
