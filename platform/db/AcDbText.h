// A single-line text: insertion point, alignment point (used unless the
// alignment is left/base), height, rotation, width factor, slant and style.
#pragma once

#include <string>

#include "AcDbEntity.h"

class AcDbText : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbText);
  UV_DECLARE_CLONE(AcDbText);
  AcDbText() = default;
  AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId(), double height = 0,
           double rotation = 0);

  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& p);
  AcGePoint3d alignmentPoint() const { return m_alignment; }
  Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& p);
  bool isDefaultAlignment() const { return m_hmode == AcDb::kTextLeft && m_vmode == AcDb::kTextBase; }

  // A malloc'ed copy (free it, or acutDelString).
  ACHAR* textString() const;
  const ACHAR* textStringConst() const { return m_text.c_str(); }
  Acad::ErrorStatus setTextString(const ACHAR* text);

  double height() const { return m_height; }
  // eInvalidInput unless above 0.
  Acad::ErrorStatus setHeight(double h);
  double rotation() const { return m_rotation; }
  Acad::ErrorStatus setRotation(double r);
  double widthFactor() const { return m_widthFactor; }
  Acad::ErrorStatus setWidthFactor(double f);
  double oblique() const { return m_oblique; }
  Acad::ErrorStatus setOblique(double a);
  AcDb::TextHorzMode horizontalMode() const { return m_hmode; }
  Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode m);
  AcDb::TextVertMode verticalMode() const { return m_vmode; }
  Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode m);
  AcDbObjectId textStyle() const { return m_style; }
  Acad::ErrorStatus setTextStyle(AcDbObjectId style);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double t);

  // An estimate: each character taken as 0.6 of the height wide (times the
  // width factor), the box turned by the rotation around the position.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  void getReferences(std::vector<uv::ObjectReference>& refs) const override;

 protected:
  Acad::ErrorStatus subPrepareAdd(AcDbDatabase* db) override;
  void subAdded() override;

 private:
  AcGePoint3d m_position, m_alignment;
  std::wstring m_text;
  double m_height = 1, m_rotation = 0, m_widthFactor = 1, m_oblique = 0, m_thickness = 0;
  AcDb::TextHorzMode m_hmode = AcDb::kTextLeft;
  AcDb::TextVertMode m_vmode = AcDb::kTextBase;
  AcDbObjectId m_style;
  AcGeVector3d m_normal{0, 0, 1};
};
