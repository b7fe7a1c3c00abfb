// An arc: centre (world coordinates), radius, and the angles (radians,
// counter-clockwise from the x axis of the normal's object coordinate
// system) at which it starts and ends.
#pragma once

#include "AcDbCurve.h"

class AcDbArc : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbArc);
  UV_DECLARE_CLONE(AcDbArc);
  AcDbArc() = default;
  AcDbArc(const AcGePoint3d& centre, double radius, double startAngle, double endAngle)
      : m_center(centre), m_radius(radius), m_start(startAngle), m_end(endAngle) {}
  AcDbArc(const AcGePoint3d& centre, const AcGeVector3d& normal, double radius, double startAngle, double endAngle)
      : m_center(centre), m_normal(normal.normal()), m_radius(radius), m_start(startAngle), m_end(endAngle) {}

  AcGePoint3d center() const { return m_center; }
  Acad::ErrorStatus setCenter(const AcGePoint3d& c);
  double radius() const { return m_radius; }
  Acad::ErrorStatus setRadius(double r);
  double startAngle() const { return m_start; }
  Acad::ErrorStatus setStartAngle(double a);
  double endAngle() const { return m_end; }
  Acad::ErrorStatus setEndAngle(double a);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double t);

  bool getCurvePath(uv::CurvePath& path) const override;
  bool isExtendable() const override { return true; }

 private:
  AcGePoint3d m_center;
  AcGeVector3d m_normal{0, 0, 1};
  double m_radius = 1;
  double m_start = 0, m_end = 0;
  double m_thickness = 0;
};
