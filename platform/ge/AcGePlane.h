// An infinite plane through a point with a unit normal.
#pragma once

#include "AcGePoint3d.h"

class AcGePlane {
 public:
  AcGePlane() = default;  // the XY plane
  AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal) : m_origin(origin), m_normal(normal.normal()) {}
  static const AcGePlane kXYPlane, kYZPlane, kZXPlane;

  AcGePoint3d pointOnPlane() const { return m_origin; }
  AcGeVector3d normal() const { return m_normal; }
  double signedDistanceTo(const AcGePoint3d& p) const { return (p - m_origin).dotProduct(m_normal); }
  double distanceTo(const AcGePoint3d& p) const { return std::fabs(signedDistanceTo(p)); }
  bool isOn(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const { return distanceTo(p) <= tol.equalPoint(); }
  AcGePoint3d project(const AcGePoint3d& p) const { return p - m_normal * signedDistanceTo(p); }

 private:
  AcGePoint3d m_origin;
  AcGeVector3d m_normal{0, 0, 1};
};

inline AcGePoint3d AcGePoint3d::orthoProject(const AcGePlane& plane) const { return plane.project(*this); }
