// SPDX-License-Identifier: GPL-3.0-or-later
// The edit path checked against computations of its own: break segments covered by triangle
// sides, elevations along a segment, and the empty-circle property wherever no break line
// comes between, all from the mesh's plain numbers rather than from the triangulation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <set>

#include "TinTestSupport.h"

namespace tin {
namespace {

using test::valid;

double bumpy(double x, double y) { return 50.0 + 3.0 * std::sin(x / 7.0) * std::cos(y / 5.0); }

// Fraction along a->b of the plan point p, and its distance from the segment's line.
std::pair<double, double> along(const Point2& a, const Point2& b, const Point2& p) {
  const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
  const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2;
  const double off = std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / std::sqrt(l2);
  return {t, off};
}

// The triangle sides lying on the segment cover it from end to end.
::testing::AssertionResult covered(const Surface& s, const Segment3& seg) {
  const Mesh& m = s.mesh();
  const Point2 a = seg.a.plan(), b = seg.b.plan();
  const double slack = 1e-9 * std::max(1.0, std::hypot(b.x - a.x, b.y - a.y));
  std::vector<std::pair<double, double>> pieces;
  for (const Edge& e : s.edges()) {
    const auto [t0, o0] = along(a, b, m.vertices[e.a].plan());
    const auto [t1, o1] = along(a, b, m.vertices[e.b].plan());
    if (o0 > slack || o1 > slack) continue;
    pieces.push_back({std::min(t0, t1), std::max(t0, t1)});
  }
  std::sort(pieces.begin(), pieces.end());
  double reached = 0.0;
  for (const auto& [lo, hi] : pieces)
    if (lo <= reached + 1e-12 && hi > reached) reached = hi;
  if (reached >= 1.0 - 1e-12) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "sides cover the segment only up to " << reached;
}

// No vertex strictly inside the circumcircle of a triangle that no break line reaches into.
::testing::AssertionResult delaunayAwayFromBreakLines(const Surface& s) {
  const Mesh& m = s.mesh();
  std::vector<Point2> byX;
  for (const Point3& p : m.vertices) byX.push_back(p.plan());
  std::sort(byX.begin(), byX.end(), [](const Point2& p, const Point2& q) { return p.x < q.x; });
  const auto& lines = s.definition().breakLines;
  std::size_t checked = 0;
  for (std::size_t t = 0; t < m.triangles.size(); ++t) {
    const Point2 a = m.corner(t, 0).plan(), b = m.corner(t, 1).plan(), c = m.corner(t, 2).plan();
    const double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
    const double d = 2.0 * (bx * cy - by * cx);
    const double ux = (cy * (bx * bx + by * by) - by * (cx * cx + cy * cy)) / d;
    const double uy = (bx * (cx * cx + cy * cy) - cx * (bx * bx + by * by)) / d;
    const Point2 o{a.x + ux, a.y + uy};
    const double r = std::hypot(ux, uy);
    bool reached = false;
    for (const Segment3& l : lines) {
      const Point2 p = l.a.plan(), q = l.b.plan();
      double f = ((o.x - p.x) * (q.x - p.x) + (o.y - p.y) * (q.y - p.y)) /
                 ((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y));
      f = std::clamp(f, 0.0, 1.0);
      if (std::hypot(p.x + f * (q.x - p.x) - o.x, p.y + f * (q.y - p.y) - o.y) <= r * (1 + 1e-9)) {
        reached = true;
        break;
      }
    }
    if (reached) continue;
    ++checked;
    auto it = std::lower_bound(byX.begin(), byX.end(), o.x - r, [](const Point2& p, double x) { return p.x < x; });
    for (; it != byX.end() && it->x <= o.x + r; ++it)
      if (std::hypot(it->x - o.x, it->y - o.y) < r * (1 - 1e-9))
        return ::testing::AssertionFailure() << "triangle " << t << " holds " << it->x << "," << it->y << " in its circle";
  }
  if (checked == 0) return ::testing::AssertionFailure() << "no triangle was free of break lines";
  return ::testing::AssertionSuccess();
}

struct EditCase {
  const char* name;
  // Adds break lines to s (made of the points given), says which results to expect, and
  // gives the elevation the surface must have at fraction t of the first line.
  std::function<void(Surface& s, const std::vector<Point3>& points)> edit;
  std::function<double(double t)> elevationAlongFirst;  // empty: not checked
  bool trianglesUnchanged = false;
};

const Point3 kA{10.5, 20.5, 5.0}, kB{80.5, 70.5, 25.0};
double linear(double t) { return kA.z + t * (kB.z - kA.z); }

std::vector<EditCase> editCases() {
  return {
      {"single",
       [](Surface& s, const auto&) { EXPECT_EQ(s.addBreakLine(kA, kB), BreakLineResult::Added); }, linear},
      {"crossing",
       [](Surface& s, const auto&) {
         EXPECT_EQ(s.addBreakLine(kA, kB), BreakLineResult::Added);
         EXPECT_EQ(s.addBreakLine({15.5, 75.5, 90}, {85.5, 15.5, 95}), BreakLineResult::Added);
         EXPECT_EQ(s.addBreakLine({12.5, 50.5, 0}, {88.5, 51.5, 1}), BreakLineResult::Added);
       },
       linear},
      {"partly_outside",
       [](Surface& s, const auto&) {
         EXPECT_EQ(s.addBreakLine({-20.5, 50.5, 3}, {50.5, 49.5, 9}), BreakLineResult::Added);
         EXPECT_EQ(s.extents().min.x, -20.5);
       },
       [](double t) { return 3.0 + 6.0 * t; }},
      {"wholly_outside",
       [](Surface& s, const auto&) {
         EXPECT_EQ(s.addBreakLine({-30, -10, 1}, {130, -20, 2}), BreakLineResult::Added);
       },
       [](double t) { return 1.0 + t; }},
      {"through_a_point",
       [](Surface& s, const std::vector<Point3>& points) {
         // Near a survey point: within rounding of the line, or exactly on it.
         const Point3 p = points[7];
         EXPECT_EQ(s.addBreakLine({p.x - 10, p.y - 5, 0}, {p.x + 10, p.y + 5, 0}), BreakLineResult::Added);
         s.addPoints(std::vector<Point3>{{50.25, 40.125, 20.0}});
         EXPECT_EQ(s.addBreakLine({42.25, 36.125, 0}, {58.25, 44.125, 0}), BreakLineResult::Added);
       },
       nullptr},
      {"zero_length",
       [](Surface& s, const auto&) {
         EXPECT_EQ(s.addBreakLine({40, 40, 1}, {40, 40, 9}), BreakLineResult::Degenerate);
       },
       nullptr, true},
      {"an_existing_edge",
       [](Surface& s, const auto&) {
         const Edge e = s.edges()[100];
         const Point3 a = s.mesh().vertices[e.a], b = s.mesh().vertices[e.b];
         EXPECT_EQ(s.addBreakLine(a, b), BreakLineResult::Added);
         EXPECT_EQ(s.addBreakLine(b, a), BreakLineResult::AlreadyPresent);
       },
       nullptr, true},
  };
}

class EditPath : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditPath, CoversSegmentsFollowsThemAndStaysDelaunayElsewhere) {
  const EditCase& c = GetParam();
  const auto points = test::randomPoints(1500, 41, 0, 0, 100, bumpy);
  Surface s;
  s.setPoints(points);
  const std::vector<Triangle> before = s.triangles();
  c.edit(s, points);
  ASSERT_TRUE(valid(s));
  for (const Segment3& l : s.definition().breakLines) EXPECT_TRUE(covered(s, l));
  EXPECT_TRUE(delaunayAwayFromBreakLines(s));
  if (c.elevationAlongFirst) {
    const Segment3& l = s.definition().breakLines.at(0);
    for (double t = 0.0; t <= 1.0; t += 1.0 / 64) {
      const auto z = s.elevation({l.a.x + t * (l.b.x - l.a.x), l.a.y + t * (l.b.y - l.a.y)});
      ASSERT_TRUE(z.has_value()) << t;
      EXPECT_NEAR(*z, c.elevationAlongFirst(t), 1e-9) << t;
    }
  }
  if (c.trianglesUnchanged) {
    ASSERT_EQ(s.triangles().size(), before.size());
    for (std::size_t t = 0; t < before.size(); ++t)
      for (int i = 0; i < 3; ++i) ASSERT_EQ(s.triangles()[t].v[i], before[t].v[i]) << t;
  }
  // The same surface comes back from its definition.
  const Surface r = Surface::fromDefinition(s.definition());
  ASSERT_TRUE(valid(r));
  test::expectSameMesh(s, r, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditPath, ::testing::ValuesIn(editCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A segment through a survey point bends there: the point keeps its elevation and the line
// runs straight to it from each end.
TEST(EditPath, ASegmentThroughAPointIsStraightToIt) {
  auto points = test::randomPoints(500, 3, 0, 0, 100, bumpy);
  // Binary fractions, so that the point lies exactly on the segment.
  const Point3 p{50.25, 40.125, 20.0};
  points.push_back(p);
  Surface s;
  s.setPoints(points);
  const Point3 a{p.x - 8, p.y - 4, 100}, b{p.x + 8, p.y + 4, 200};
  ASSERT_EQ(s.addBreakLine(a, b), BreakLineResult::Added);
  ASSERT_TRUE(valid(s));
  for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) {
    EXPECT_NEAR(*s.elevation({a.x + t * (p.x - a.x), a.y + t * (p.y - a.y)}), a.z + t * (p.z - a.z), 1e-9) << t;
    EXPECT_NEAR(*s.elevation({p.x + t * (b.x - p.x), p.y + t * (b.y - p.y)}), p.z + t * (b.z - p.z), 1e-9) << t;
  }
}

// Many crossing lines, later points on and off them, and swaps, on a surface of points alone
// to begin with: every step keeps the structure whole and the independent checks hold.
TEST(EditPath, ManyEditsOnALargerSurface) {
  const auto points = test::randomPoints(20000, 5, 0, 0, 1000, bumpy);
  Surface s;
  s.setPoints(points);
  std::mt19937_64 rng(17);
  std::uniform_real_distribution<double> u(0.0, 1000.0), step(-60.0, 60.0), z(0.0, 100.0);
  for (int k = 0; k < 400; ++k) {
    const double x = u(rng), y = u(rng);
    s.addBreakLine({x, y, z(rng)}, {x + step(rng), y + step(rng), z(rng)});
  }
  // Points exactly on break lines (their midpoints) and elsewhere.
  std::vector<Point3> later;
  for (std::size_t k = 0; k < 50; ++k) {
    const Segment3& l = s.definition().breakLines[k * 7];
    later.push_back({(l.a.x + l.b.x) / 2, (l.a.y + l.b.y) / 2, 7.0});
    later.push_back({u(rng), u(rng), 7.0});
  }
  s.addPoints(later);
  int swaps = 0;
  for (std::int32_t t = 0; swaps < 20 && t < static_cast<std::int32_t>(s.triangles().size()); t += 97)
    for (int i = 0; i < 3; ++i) {
      const std::int32_t n = s.mesh().neighbours[t][i];
      if (n >= 0 && s.swapDiagonal(t, n) == SwapResult::Swapped) {
        ++swaps;
        break;
      }
    }
  EXPECT_EQ(swaps, 20);
  ASSERT_TRUE(valid(s));
  for (const Segment3& l : s.definition().breakLines) ASSERT_TRUE(covered(s, l));
  // Later points on a line are knots of it: the surface passes through them.
  for (const Point3& p : later) EXPECT_EQ(*s.elevation(p.plan()), 7.0);
  const Surface r = Surface::fromDefinition(s.definition());
  ASSERT_TRUE(valid(r));
  EXPECT_EQ(r.triangles().size(), s.triangles().size());
}

}  // namespace
}  // namespace tin
