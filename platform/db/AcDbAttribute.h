// An attribute of a block reference: a text with a tag, owned by the
// reference.
#pragma once

#include "AcDbText.h"

class AcDbAttributeDefinition;

class AcDbAttribute : public AcDbText {
 public:
  ACRX_DECLARE_MEMBERS(AcDbAttribute);
  UV_DECLARE_CLONE(AcDbAttribute);
  AcDbAttribute() = default;
  AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, AcDbObjectId style = AcDbObjectId());

  ACHAR* tag() const;
  const ACHAR* tagConst() const { return m_tag.c_str(); }
  // eInvalidInput for an empty tag or one with blanks.
  Acad::ErrorStatus setTag(const ACHAR* tag);
  bool isInvisible() const { return m_invisible; }
  Acad::ErrorStatus setInvisible(bool v);
  bool isConstant() const { return m_constant; }
  Acad::ErrorStatus setConstant(bool v);

  // Tag, default text, flags, height, rotation, style and properties from a
  // definition; the position is the definition's moved by `offset` (the
  // caller's block transformation of the definition's position).
  Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* def, const AcGeVector3d& offset);

 private:
  std::wstring m_tag;
  bool m_invisible = false, m_constant = false;
};
