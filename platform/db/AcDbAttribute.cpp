#include "AcDbAttribute.h"

#include "AcDbAttributeDefinition.h"
#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbAttribute, AcDbText, L"ATTRIB")

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag ? tag : L"") {}

ACHAR* AcDbAttribute::tag() const { return uv::newResString(m_tag.c_str()); }

Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* tag) {
  return setChecked(m_tag, tag, uv::isValidAttributeTag(tag));
}

Acad::ErrorStatus AcDbAttribute::setInvisible(bool v) { return setWritable(m_invisible, v); }

Acad::ErrorStatus AcDbAttribute::setConstant(bool v) { return setWritable(m_constant, v); }

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* def, const AcGeVector3d& offset) {
  if (!def) return Acad::eNullEntityPointer;
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_tag = def->tagConst();
  m_invisible = def->isInvisible();
  m_constant = def->isConstant();
  setTextString(def->textStringConst());
  setPosition(def->position() + offset);
  setAlignmentPoint(def->alignmentPoint() + offset);
  setHeight(def->height());
  setRotation(def->rotation());
  setWidthFactor(def->widthFactor());
  setOblique(def->oblique());
  setHorizontalMode(def->horizontalMode());
  setVerticalMode(def->verticalMode());
  if (!def->textStyle().isNull() && (!database() || def->textStyle().database() == database())) setTextStyle(def->textStyle());
  setPropertiesFrom(def);
  return Acad::eOk;
}
