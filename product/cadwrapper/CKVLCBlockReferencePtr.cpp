#include "product/cadwrapper/CKVLCBlockReferencePtr.h"

#include <memory>

#include "base/TextCase.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbObjectIterator.h"

AcDbObjectId CKVLCBlockReferencePtr::findAttribute(const wchar_t* tag) const {
  if (!isOpen() || !tag || !*tag) return AcDbObjectId();
  std::unique_ptr<AcDbObjectIterator> it(object()->attributeIterator());
  for (it->start(); !it->done(); it->step()) {
    const AcDbAttribute* attribute = AcDbAttribute::cast(it->entity());
    if (attribute && !attribute->isErased() && uv::equalsNoCase(attribute->tagConst(), tag)) return it->objectId();
  }
  return AcDbObjectId();
}

CString CKVLCBlockReferencePtr::getAttributeText(const wchar_t* tag) const {
  AcDbObjectId id = findAttribute(tag);
  if (id.isNull()) return CString();
  AcDbAttribute* attribute = nullptr;
  if (object()->openAttribute(attribute, id, AcDb::kForRead) != Acad::eOk) return CString();
  CString text(attribute->textStringConst());
  attribute->close();
  return text;
}

Acad::ErrorStatus CKVLCBlockReferencePtr::setAttributeText(const wchar_t* tag, const wchar_t* text) {
  if (!isOpen()) return Acad::eNullEntityPointer;
  if (!tag || !*tag) return Acad::eInvalidInput;
  if (!object()->isWriteEnabled()) return Acad::eNotOpenForWrite;
  AcDbObjectId id = findAttribute(tag);
  if (id.isNull()) return Acad::eKeyNotFound;
  AcDbAttribute* attribute = nullptr;
  Acad::ErrorStatus es = object()->openAttribute(attribute, id, AcDb::kForWrite);
  if (es != Acad::eOk) return es;
  es = attribute->setTextString(text ? text : L"");
  attribute->close();
  return es;
}

Acad::ErrorStatus CKVLCBlockReferencePtr::getBlockName(CString& name) const {
  name.Empty();
  if (!isOpen()) return Acad::eNullEntityPointer;
  CKVLCObjectPtr<AcDbBlockTableRecord> block(object()->blockTableRecord());
  if (!block.isOpen()) return block.status();
  return block->getName(name);
}
