// A non-uniform rational B-spline as plain data: degree, knots, control
// points and their weights (none: all 1). The curve runs over the knots
// [degree] to [points], as drawing files give splines:
//
//   C(t) = sum N(i,p)(t) w(i) P(i) / sum N(i,p)(t) w(i)
//
// evaluated by de Boor's algorithm in homogeneous coordinates. A curve
// through given points (the fit points of a drawing's spline) comes from
// interpolate(): chord-length parameters, knots by averaging, a banded
// linear system (the global interpolation of the NURBS literature).
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "ge/AcGePoint3d.h"

namespace uv {

// Whether every coordinate is a number (not infinite, not NaN).
inline bool isFinitePoint(const AcGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

class NurbsCurve {
 public:
  NurbsCurve() = default;

  // Drawing programs make splines of degree 1 to 25 at most; beyond, the
  // cost of a point (the square of the degree) is not worth paying.
  static constexpr int kMostDegree = 25;
  // Empty when valid; otherwise why not: a degree outside 1..kMostDegree,
  // fewer than degree + 1 points, a knot count other than points + degree
  // + 1, knots that decrease or a domain of no length, a weight per point
  // that is not above 0, values that are not finite.
  static std::string whyInvalid(int degree, const std::vector<AcGePoint3d>& points, const std::vector<double>& knots,
                                const std::vector<double>& weights);
  // The caller has checked the data with whyInvalid().
  NurbsCurve(int degree, std::vector<AcGePoint3d> points, std::vector<double> knots, std::vector<double> weights);

  // The curve of the given degree (lowered to what the points allow) that
  // passes through the points in order; repeated points count once. Fewer
  // than two distinct points give an empty curve.
  static NurbsCurve interpolate(const std::vector<AcGePoint3d>& through, int degree);

  bool empty() const { return m_points.empty(); }
  int degree() const { return m_degree; }
  double startParam() const { return empty() ? 0 : m_knots[size_t(m_degree)]; }
  double endParam() const { return empty() ? 0 : m_knots[m_points.size()]; }
  const std::vector<AcGePoint3d>& points() const { return m_points; }
  const std::vector<double>& knots() const { return m_knots; }

  // Knot spans of non-zero length.
  int spanCount() const;
  // The point at t, clamped to the domain. The curve must not be empty.
  AcGePoint3d pointAt(double t) const;
  // The curve as a polyline: `perSpan` pieces in each knot span of non-zero
  // length, the curve's start first.
  std::vector<AcGePoint3d> sample(int perSpan) const;

 private:
  // The span i (degree <= i < points) with knots[i] <= t < knots[i + 1],
  // the last span for the domain's end.
  size_t spanOf(double t) const;

  int m_degree = 0;
  std::vector<AcGePoint3d> m_points;
  std::vector<double> m_knots;
  std::vector<double> m_weights;
};

}  // namespace uv
