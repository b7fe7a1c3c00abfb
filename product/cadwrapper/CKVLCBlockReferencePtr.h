// A block reference opened by id, with access to its attributes by tag.
//
// Tags are matched ignoring letter case, as the host matches them. An empty
// tag names no attribute: getAttributeText gives "" for it and
// setAttributeText changes nothing (eInvalidInput). A caller whose choice
// of attribute was left open (an empty tag) thus never writes into an
// attribute the user did not choose.
#pragma once

#include "base/CString.h"
#include "db/AcDbBlockReference.h"
#include "product/cadwrapper/CKVLCObjectPtr.h"

class CKVLCBlockReferencePtr : public CKVLCObjectPtr<AcDbBlockReference> {
 public:
  using CKVLCObjectPtr::CKVLCObjectPtr;

  // The text of the first live attribute with that tag; "" when the
  // reference has none, the tag is empty or nothing is open.
  CString getAttributeText(const wchar_t* tag) const;

  // Writes the text into the first live attribute with that tag. The
  // reference must be open for write (upgradeOpen): eNotOpenForWrite
  // otherwise; eKeyNotFound when no attribute has the tag; eInvalidInput for
  // an empty tag; eNullEntityPointer when nothing is open.
  Acad::ErrorStatus setAttributeText(const wchar_t* tag, const wchar_t* text);

  // The name of the block definition the reference uses.
  Acad::ErrorStatus getBlockName(CString& name) const;

 private:
  AcDbObjectId findAttribute(const wchar_t* tag) const;
};
