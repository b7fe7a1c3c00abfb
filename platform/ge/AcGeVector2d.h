#pragma once

#include <cmath>

#include "AcGeTol.h"

class AcGeVector2d {
 public:
  double x = 0, y = 0;
  AcGeVector2d() = default;
  AcGeVector2d(double ax, double ay) : x(ax), y(ay) {}
  static const AcGeVector2d kIdentity, kXAxis, kYAxis;

  double length() const { return std::hypot(x, y); }
  double lengthSqrd() const { return x * x + y * y; }
  double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
  // Angle from the x axis, in [0, 2*pi).
  double angle() const {
    double a = std::atan2(y, x);
    return a < 0 ? a + 2 * M_PI : a;
  }
  AcGeVector2d normal() const {
    const double l = length();
    return l > 0 ? AcGeVector2d(x / l, y / l) : *this;
  }
  bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const { return length() <= tol.equalVector(); }
  bool isEqualTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const {
    return std::hypot(x - v.x, y - v.y) <= tol.equalVector();
  }

  AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
  AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
  AcGeVector2d operator-() const { return {-x, -y}; }
  AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
  AcGeVector2d operator/(double s) const { return {x / s, y / s}; }
  friend AcGeVector2d operator*(double s, const AcGeVector2d& v) { return v * s; }
  bool operator==(const AcGeVector2d& v) const { return isEqualTo(v); }
};
