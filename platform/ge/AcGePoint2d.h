#pragma once

#include "AcGeVector2d.h"

class AcGePoint2d {
 public:
  double x = 0, y = 0;
  AcGePoint2d() = default;
  AcGePoint2d(double ax, double ay) : x(ax), y(ay) {}
  static const AcGePoint2d kOrigin;

  AcGePoint2d& set(double ax, double ay) { x = ax; y = ay; return *this; }
  double distanceTo(const AcGePoint2d& p) const { return std::hypot(x - p.x, y - p.y); }
  bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const {
    return distanceTo(p) <= tol.equalPoint();
  }
  AcGeVector2d asVector() const { return {x, y}; }

  AcGePoint2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
  AcGePoint2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
  AcGeVector2d operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
  bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
  bool operator!=(const AcGePoint2d& p) const { return !isEqualTo(p); }
};
