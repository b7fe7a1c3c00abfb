// A wipeout: a polygon that masks whatever was drawn before it with the
// background colour (a label's box over its contour line). It is kept as
// CAD programs keep it, as a one-pixel raster image with a clipping
// boundary:
//
//   origin, u, v     the image frame: its lower left corner and the
//                    vectors along its bottom and left side (a pixel)
//   image size       in pixels (1 x 1 for a wipeout made here)
//   boundary         vertices in pixel coordinates, (0,0) at the top left
//                    corner of the frame, y growing downwards; two
//                    vertices give a rectangle (corners), more a polygon
//                    closed by repeating the first
//
// so that a drawing from elsewhere goes back out with its own numbers.
// World vertex of a boundary vertex (px, py):
//   origin + u * (px + 0.5) + v * (size.y - py - 0.5)
#pragma once

#include <vector>

#include "ge/AcGePoint2d.h"
#include "AcDbEntity.h"

class AcDbWipeout : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbWipeout);
  UV_DECLARE_CLONE(AcDbWipeout);
  AcDbWipeout() = default;

  // Display flags (DXF 70): show the image, show it when not aligned with
  // the screen, clip to the boundary, transparency.
  enum DisplayFlags { kShow = 1, kShowUnAligned = 2, kClip = 4, kTransparent = 8 };

  // The mask of a polygon in plan: its x and y, at the z of its first
  // point. At least three points with an area of some width and height;
  // eInvalidInput otherwise (nothing changes). A last point equal to the
  // first is not repeated.
  Acad::ErrorStatus setFrom(const AcGePoint3dArray& polygon);
  // The boundary in world coordinates, closed (its first vertex repeated).
  Acad::ErrorStatus getVertices(AcGePoint3dArray& vertices) const;

  void getOrientation(AcGePoint3d& origin, AcGeVector3d& u, AcGeVector3d& v) const;
  Acad::ErrorStatus setOrientation(const AcGePoint3d& origin, const AcGeVector3d& u, const AcGeVector3d& v);
  AcGePoint2d imageSize() const { return m_size; }
  Acad::ErrorStatus setImageSize(const AcGePoint2d& size);
  const std::vector<AcGePoint2d>& clipBoundary() const { return m_boundary; }
  // Pixel coordinates; fewer than two vertices give eInvalidInput.
  Acad::ErrorStatus setClipBoundary(const std::vector<AcGePoint2d>& boundary);

  int displayFlags() const { return m_flags; }
  Acad::ErrorStatus setDisplayFlags(int flags) { return setWritable(m_flags, flags); }
  bool isClipped() const { return m_clipped; }
  Acad::ErrorStatus setClipped(bool on) { return setWritable(m_clipped, on); }
  bool isClipInverted() const { return m_clipInverted; }
  Acad::ErrorStatus setClipInverted(bool on) { return setWritable(m_clipInverted, on); }
  int brightness() const { return m_brightness; }
  int contrast() const { return m_contrast; }
  int fade() const { return m_fade; }
  // Each 0-100; eInvalidInput otherwise.
  Acad::ErrorStatus setBrightness(int value) { return setChecked(m_brightness, value, value >= 0 && value <= 100); }
  Acad::ErrorStatus setContrast(int value) { return setChecked(m_contrast, value, value >= 0 && value <= 100); }
  Acad::ErrorStatus setFade(int value) { return setChecked(m_fade, value, value >= 0 && value <= 100); }

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

 private:
  AcGePoint3d m_origin;
  AcGeVector3d m_u{1, 0, 0};
  AcGeVector3d m_v{0, 1, 0};
  AcGePoint2d m_size{1, 1};
  std::vector<AcGePoint2d> m_boundary{{-0.5, -0.5}, {0.5, 0.5}};
  int m_flags = kShow | kShowUnAligned | kClip;
  bool m_clipped = true;
  bool m_clipInverted = false;
  int m_brightness = 50, m_contrast = 50, m_fade = 0;
};
