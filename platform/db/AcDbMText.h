// A paragraph text: its contents keep the formatting codes of drawing files
// (\P new paragraph, {\fArial|b1;bold}, \C1; colour, \S1^2; stacked...);
// text() gives the words a reader sees, one line per paragraph, and lines()
// those lines wrapped at the width. Placed at its location (world
// coordinates) by its attachment point (1 top left ... 9 bottom right),
// along its direction in the plane of its normal; width 0 means no wrapping.
//
// Sizes are estimates, as for single-line texts: a character is 0.6 of the
// height wide, and lines follow each other at 5/3 of the height times the
// line spacing factor.
#pragma once

#include <string>
#include <vector>

#include "AcDbEntity.h"

class AcDbMText : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbMText);
  UV_DECLARE_CLONE(AcDbMText);
  enum AttachmentPoint {
    kTopLeft = 1, kTopCenter, kTopRight, kMiddleLeft, kMiddleCenter, kMiddleRight,
    kBottomLeft, kBottomCenter, kBottomRight
  };
  AcDbMText() = default;

  AcGePoint3d location() const { return m_location; }
  Acad::ErrorStatus setLocation(const AcGePoint3d& p);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);
  // The text's x axis (unit length, in the plane of the normal); the
  // rotation is its angle from the x axis of the normal's object
  // coordinate system.
  AcGeVector3d direction() const { return m_direction; }
  // eInvalidInput for a zero vector.
  Acad::ErrorStatus setDirection(const AcGeVector3d& d);
  double rotation() const;
  Acad::ErrorStatus setRotation(double angle);
  double textHeight() const { return m_height; }
  // eInvalidInput for a height not above 0.
  Acad::ErrorStatus setTextHeight(double h);
  double width() const { return m_width; }
  // eInvalidInput for a width below 0.
  Acad::ErrorStatus setWidth(double w);
  AttachmentPoint attachment() const { return m_attachment; }
  Acad::ErrorStatus setAttachment(AttachmentPoint a);
  double lineSpacingFactor() const { return m_spacing; }
  // eInvalidInput for a factor not above 0.
  Acad::ErrorStatus setLineSpacingFactor(double f);
  AcDbObjectId textStyle() const { return m_style; }
  Acad::ErrorStatus setTextStyle(AcDbObjectId style);
  // With the formatting codes.
  const std::wstring& contents() const { return m_contents; }
  Acad::ErrorStatus setContents(const std::wstring& text);

  // Without them: paragraphs as lines ("\n"), stacked fractions as "1/2",
  // \U+00B0 as its character, %%d %%p %%c as the degree, plus-minus and
  // diameter signs.
  std::wstring text() const { return plainText(m_contents); }
  static std::wstring plainText(const std::wstring& contents);
  // The lines as shown: the paragraphs, broken between words where they
  // would pass the width.
  std::vector<std::wstring> lines() const;
  // The distance from one line's base to the next.
  double lineStep() const { return m_height * 5.0 / 3.0 * m_spacing; }

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  void getReferences(std::vector<uv::ObjectReference>& refs) const override;

  static constexpr double kCharacterWidth = 0.6;  // of the height

 private:
  AcGePoint3d m_location;
  AcGeVector3d m_normal{0, 0, 1};
  AcGeVector3d m_direction{1, 0, 0};
  double m_height = 1;
  double m_width = 0;
  double m_spacing = 1;
  AttachmentPoint m_attachment = kTopLeft;
  AcDbObjectId m_style;
  std::wstring m_contents;
};
