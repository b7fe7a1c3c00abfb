// The NURBS evaluation against formulas that do not use de Boor's
// algorithm: Bernstein polynomials for a Bezier curve, the uniform cubic
// B-spline's basis matrix, a rational quadratic that is a quarter circle;
// and the interpolation through fit points.
#include <gtest/gtest.h>

#include <cmath>

#include "ge/NurbsCurve.h"

using uv::NurbsCurve;

namespace {

AcGePoint3d bezier(const std::vector<AcGePoint3d>& p, double t) {
  // Cubic Bernstein form.
  const double s = 1 - t, b[4] = {s * s * s, 3 * s * s * t, 3 * s * t * t, t * t * t};
  AcGePoint3d out;
  for (int i = 0; i < 4; ++i) out += (p[size_t(i)] - AcGePoint3d()) * b[i];
  return out;
}

}  // namespace

TEST(NurbsCurve, ClampedCubicIsTheBezierCurve) {
  const std::vector<AcGePoint3d> p = {{0, 0, 0}, {1, 3, 1}, {4, 3, -2}, {5, 0, 0}};
  const std::vector<double> knots = {0, 0, 0, 0, 2, 2, 2, 2};  // domain [0, 2]
  ASSERT_EQ(NurbsCurve::whyInvalid(3, p, knots, {}), "");
  const NurbsCurve c(3, p, knots, {});
  for (double t : {0.0, 0.1, 0.5, 0.77, 1.0})
    EXPECT_LT(c.pointAt(2 * t).distanceTo(bezier(p, t)), 1e-12) << t;
  // Outside the domain: clamped to its ends.
  EXPECT_LT(c.pointAt(-5).distanceTo(p.front()), 1e-12);
  EXPECT_LT(c.pointAt(9).distanceTo(p.back()), 1e-12);
  // Weights all equal change nothing.
  const NurbsCurve weighted(3, p, knots, {2, 2, 2, 2});
  EXPECT_LT(weighted.pointAt(0.6).distanceTo(c.pointAt(0.6)), 1e-12);
}

TEST(NurbsCurve, UniformCubicSpansFollowTheBasisMatrix) {
  // Six points, uniform knots 0..9: three spans, each the blend
  // (1/6) [(1-u)^3, 3u^3 - 6u^2 + 4, -3u^3 + 3u^2 + 3u + 1, u^3] of four points.
  const std::vector<AcGePoint3d> p = {{0, 0, 0}, {2, 5, 0}, {4, -1, 1}, {7, 3, 0}, {9, 9, 2}, {12, 0, 0}};
  std::vector<double> knots;
  for (int i = 0; i < 10; ++i) knots.push_back(i);
  ASSERT_EQ(NurbsCurve::whyInvalid(3, p, knots, {}), "");
  const NurbsCurve c(3, p, knots, {});
  EXPECT_DOUBLE_EQ(c.startParam(), 3);
  EXPECT_DOUBLE_EQ(c.endParam(), 6);
  for (int span = 0; span < 3; ++span)
    for (double u : {0.0, 0.25, 0.5, 0.9}) {
      const double b[4] = {(1 - u) * (1 - u) * (1 - u) / 6, (3 * u * u * u - 6 * u * u + 4) / 6,
                           (-3 * u * u * u + 3 * u * u + 3 * u + 1) / 6, u * u * u / 6};
      AcGePoint3d expected;
      for (int i = 0; i < 4; ++i) expected += (p[size_t(span + i)] - AcGePoint3d()) * b[i];
      EXPECT_LT(c.pointAt(3 + span + u).distanceTo(expected), 1e-12) << span << " " << u;
    }
}

TEST(NurbsCurve, RationalQuadraticDrawsAQuarterCircle) {
  const double w = std::sqrt(0.5);
  const NurbsCurve c(2, {{10, 0, 0}, {10, 10, 0}, {0, 10, 0}}, {0, 0, 0, 1, 1, 1}, {1, w, 1});
  for (const AcGePoint3d& q : c.sample(16)) EXPECT_NEAR(std::hypot(q.x, q.y), 10, 1e-12);
  // The middle of the parameter range is the middle of the arc.
  EXPECT_LT(c.pointAt(0.5).distanceTo(AcGePoint3d(10 * w, 10 * w, 0)), 1e-12);
  // Without the weight the same points make a parabola, outside the circle.
  const NurbsCurve plain(2, c.points(), c.knots(), {});
  EXPECT_GT(std::hypot(plain.pointAt(0.5).x, plain.pointAt(0.5).y), 10 + 0.5);
}

TEST(NurbsCurve, InvalidDataIsNamed) {
  const std::vector<AcGePoint3d> three = {{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
  EXPECT_EQ(NurbsCurve::whyInvalid(0, three, {0, 1, 2, 3}, {}), "a degree outside 1 to 25");
  EXPECT_EQ(NurbsCurve::whyInvalid(3, three, {0, 0, 0, 0, 1, 1, 1}, {}), "fewer control points than the degree needs");
  EXPECT_EQ(NurbsCurve::whyInvalid(2, three, {0, 0, 0, 1, 1}, {}), "a knot count other than points + degree + 1");
  EXPECT_EQ(NurbsCurve::whyInvalid(2, three, {0, 0, 1, 0, 1, 1}, {}), "knots that decrease");
  EXPECT_EQ(NurbsCurve::whyInvalid(2, three, {0, 0, NAN, 1, 1, 1}, {}), "knots that decrease");
  EXPECT_EQ(NurbsCurve::whyInvalid(2, three, {1, 1, 1, 1, 1, 1}, {}), "a domain of no length");
  EXPECT_EQ(NurbsCurve::whyInvalid(2, three, {0, 0, 0, 1, 1, 1}, {1, 0, 1}),
            "weights that are not one per point above 0");
  EXPECT_EQ(NurbsCurve::whyInvalid(2, three, {0, 0, 0, 1, 1, 1}, {1, 1}),
            "weights that are not one per point above 0");
  EXPECT_EQ(NurbsCurve::whyInvalid(2, {{0, 0, 0}, {INFINITY, 1, 0}, {2, 0, 0}}, {0, 0, 0, 1, 1, 1}, {}),
            "a control point that is not finite");
}

TEST(NurbsCurve, InterpolationPassesThroughItsPoints) {
  const std::vector<AcGePoint3d> fits = {{0, 0, 0}, {3, 4, 0}, {6, -1, 2}, {10, 2, 0}, {12, 8, 1}, {15, 0, 0}};
  for (int degree : {1, 2, 3, 5}) {
    SCOPED_TRACE(degree);
    const NurbsCurve c = NurbsCurve::interpolate(fits, degree);
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c.degree(), degree);
    ASSERT_EQ(NurbsCurve::whyInvalid(c.degree(), c.points(), c.knots(), {}), "");
    // Each fit point is the curve's point at its chord-length parameter.
    double total = 0, run = 0;
    for (size_t k = 1; k < fits.size(); ++k) total += fits[k].distanceTo(fits[k - 1]);
    EXPECT_DOUBLE_EQ(c.startParam(), 0);
    EXPECT_DOUBLE_EQ(c.endParam(), 1);
    for (size_t k = 0; k < fits.size(); ++k) {
      if (k > 0) run += fits[k].distanceTo(fits[k - 1]);
      EXPECT_LT(c.pointAt(run / total).distanceTo(fits[k]), 1e-9) << k;
    }
  }
  // Points on a line, evenly spaced, give the line itself.
  const NurbsCurve line = NurbsCurve::interpolate({{0, 0, 0}, {1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 4, 0}}, 3);
  for (const AcGePoint3d& q : line.sample(10)) EXPECT_NEAR(q.x, q.y, 1e-12);
  // Two points: a straight piece of degree 1; repeated points count once.
  const NurbsCurve two = NurbsCurve::interpolate({{0, 0, 0}, {0, 0, 0}, {5, 0, 0}}, 3);
  EXPECT_EQ(two.degree(), 1);
  EXPECT_LT(two.pointAt(0.5).distanceTo(AcGePoint3d(2.5, 0, 0)), 1e-12);
  EXPECT_TRUE(NurbsCurve::interpolate({{1, 1, 1}, {1, 1, 1}}, 3).empty());
}

TEST(NurbsCurve, ManyFitPointsStayQuick) {
  // The banded solve is linear in the points: 20000 of them at once.
  std::vector<AcGePoint3d> fits;
  for (int i = 0; i < 20000; ++i) fits.emplace_back(i, std::sin(i * 0.01) * 50, 0);
  const NurbsCurve c = NurbsCurve::interpolate(fits, 3);
  ASSERT_FALSE(c.empty());
  EXPECT_LT(c.pointAt(c.endParam()).distanceTo(fits.back()), 1e-6);
}
