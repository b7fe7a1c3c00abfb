// A circle: centre (world coordinates), radius, in the plane of its normal.
#pragma once

#include "AcDbCurve.h"

class AcDbCircle : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbCircle);
  UV_DECLARE_CLONE(AcDbCircle);
  AcDbCircle() = default;
  AcDbCircle(const AcGePoint3d& centre, const AcGeVector3d& normal, double radius)
      : m_center(centre), m_normal(normal.normal()), m_radius(radius) {}

  AcGePoint3d center() const { return m_center; }
  Acad::ErrorStatus setCenter(const AcGePoint3d& c);
  double radius() const { return m_radius; }
  // eInvalidInput for a radius not above 0.
  Acad::ErrorStatus setRadius(double r);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double t);

  bool isClosed() const override { return true; }
  bool getCurvePath(uv::CurvePath& path) const override;

 private:
  AcGePoint3d m_center;
  AcGeVector3d m_normal{0, 0, 1};
  double m_radius = 1;
  double m_thickness = 0;
};
