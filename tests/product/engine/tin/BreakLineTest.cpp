// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>

#include "TinTestSupport.h"

namespace tin {
namespace {

using test::valid;

double flat(double, double) { return 0.0; }
double bumpy(double x, double y) { return 20.0 + std::sin(x) * std::cos(y); }

// Total plan length of the triangle sides marked as break line.
double breakLineLength(const Surface& s) {
  const Mesh& m = s.mesh();
  std::set<std::pair<std::int32_t, std::int32_t>> sides;
  for (std::size_t t = 0; t < m.triangles.size(); ++t)
    for (int i = 0; i < 3; ++i)
      if (m.breakLineSides[t] & (1u << i)) {
        std::int32_t a = m.triangles[t].v[(i + 1) % 3], b = m.triangles[t].v[(i + 2) % 3];
        sides.insert({std::min(a, b), std::max(a, b)});
      }
  double sum = 0.0;
  for (auto [a, b] : sides) sum += std::hypot(m.vertices[a].x - m.vertices[b].x, m.vertices[a].y - m.vertices[b].y);
  return sum;
}

double at(const Surface& s, double x, double y) {
  const auto z = s.elevation({x, y});
  EXPECT_TRUE(z.has_value()) << x << "," << y;
  return z.value_or(std::nan(""));
}

// A break line through a grid, avoiding its points, is straight in 3D between its ends: the
// surface along it is the linear interpolation, whatever the points around say.
TEST(BreakLine, IsFollowedByTheSurfaceStraightBetweenItsEnds) {
  Surface s;
  s.addPoints(test::gridPoints(11, 11, 0, 0, 1, bumpy));
  const Point3 a{0.5, 1.3, 10.0}, b{8.7, 7.9, 30.0};
  ASSERT_EQ(s.addBreakLine(a, b), BreakLineResult::Added);
  ASSERT_TRUE(valid(s));
  EXPECT_NEAR(breakLineLength(s), std::hypot(b.x - a.x, b.y - a.y), 1e-9);
  for (double t = 0.0; t <= 1.0; t += 0.01)
    EXPECT_NEAR(at(s, a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)), a.z + t * (b.z - a.z), 1e-9) << t;
}

// Crossing break lines split each other. The crossing takes the elevation of the earlier line,
// interpolated along it; the later line runs straight to the crossing from each of its ends.
TEST(BreakLine, CrossingTakesTheEarlierLinesElevation) {
  for (bool pointsFirst : {true, false}) {
    Surface s;
    if (pointsFirst) s.addPoints(test::gridPoints(11, 11, 0, 0, 1, flat));
    ASSERT_EQ(s.addBreakLine({1.1, 1.2, 0.0}, {9.1, 9.2, 8.0}), BreakLineResult::Added);        // y = x + 0.1
    ASSERT_EQ(s.addBreakLine({1.3, 8.9, 100.0}, {8.9, 1.3, 176.0}), BreakLineResult::Added);    // x + y = 10.2
    if (!pointsFirst) s.addPoints(test::gridPoints(11, 11, 0, 0, 1, flat));
    ASSERT_TRUE(valid(s));
    const double cx = 5.05, cy = 5.15;  // the crossing
    const double zCross = 0.0 + (cx - 1.1) / 8.0 * 8.0;
    EXPECT_NEAR(at(s, cx, cy), zCross, 1e-9);
    EXPECT_EQ(s.pointCount(), 121 + 4 + 1);
    // Along the second line: straight from its first end to the crossing, and on to its second.
    for (double t : {0.25, 0.5, 0.75}) {
      EXPECT_NEAR(at(s, 1.3 + t * (cx - 1.3), 8.9 + t * (cy - 8.9)), 100.0 + t * (zCross - 100.0), 1e-9);
      EXPECT_NEAR(at(s, cx + t * (8.9 - cx), cy + t * (1.3 - cy)), zCross + t * (176.0 - zCross), 1e-9);
    }
    const double total = std::hypot(8.0, 8.0) + std::hypot(7.6, 7.6);
    EXPECT_NEAR(breakLineLength(s), total, 1e-9);
  }
}

// Survey points are measured: one lying on a break line keeps its elevation, and the line
// bends through it, whichever came first.
TEST(BreakLine, SurveyPointOnTheLineKeepsItsElevation) {
  const std::vector<Point3> points{{0, -5, 0}, {10, -5, 0}, {10, 5, 0}, {0, 5, 0}, {5, 0, 100}};
  Surface lineFirst, pointsFirst;
  lineFirst.addBreakLine({0, 0, 0}, {10, 0, 10});
  lineFirst.addPoints(points);
  pointsFirst.addPoints(points);
  pointsFirst.addBreakLine({0, 0, 0}, {10, 0, 10});
  for (const Surface* s : {&lineFirst, &pointsFirst}) {
    ASSERT_TRUE(valid(*s));
    EXPECT_EQ(at(*s, 5, 0), 100.0);
    EXPECT_NEAR(at(*s, 2.5, 0), 50.0, 1e-9);
    EXPECT_NEAR(at(*s, 7.5, 0), 55.0, 1e-9);
  }
  EXPECT_EQ(lineFirst.mesh().vertices.size(), pointsFirst.mesh().vertices.size());
}

// A line ending on an earlier line: the end takes the earlier line's elevation there.
TEST(BreakLine, EndOnAnEarlierLineTakesItsElevation) {
  Surface s;
  s.addPoints(test::gridPoints(3, 3, 0, 0, 10, flat));
  s.addBreakLine({1, 5, 0}, {19, 5, 18});
  s.addBreakLine({11, 5, 500}, {11, 17, 12});
  ASSERT_TRUE(valid(s));
  EXPECT_NEAR(at(s, 11, 5), 10.0, 1e-9);
  EXPECT_NEAR(at(s, 11, 11), 11.0, 1e-9);
}

// Ends outside the hull are inserted and extend the surface. Inside, this line runs along a
// row of survey points, which keep their elevations (0).
TEST(BreakLine, EndsOutsideTheHullExtendTheSurface) {
  Surface s;
  s.addPoints(test::gridPoints(11, 11, 0, 0, 1, flat));
  ASSERT_EQ(s.addBreakLine({-5, 5, 7}, {5, 5, 2}), BreakLineResult::Added);
  ASSERT_TRUE(valid(s));
  EXPECT_EQ(s.extents().min.x, -5.0);
  EXPECT_EQ(at(s, -5, 5), 7.0);
  EXPECT_NEAR(at(s, -2.5, 5), 3.5, 1e-9);
  EXPECT_EQ(at(s, 5, 5), 0.0);
  EXPECT_NEAR(test::triangleAreaSum(s), 100.0 + 0.5 * 10.0 * 5.0, 1e-9);
}

TEST(BreakLine, RefusesWhatItCannotTake) {
  Surface s;
  s.addPoints(test::gridPoints(5, 5, 0, 0, 1, flat));
  ASSERT_EQ(s.addBreakLine({0.5, 0.5, 1}, {3.5, 2.5, 2}), BreakLineResult::Added);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    Point3 a, b;
    BreakLineResult expected;
  } cases[] = {
      {{3.5, 2.5, 9}, {0.5, 0.5, 9}, BreakLineResult::AlreadyPresent},
      {{0.5 + 1e-7, 0.5, 1}, {3.5, 2.5 - 1e-7, 2}, BreakLineResult::AlreadyPresent},
      {{1, 1, 0}, {1, 1, 5}, BreakLineResult::Degenerate},
      {{7, 7, 0}, {7, 7 + 5e-7, 5}, BreakLineResult::Degenerate},
      {{1, 1, nan}, {2, 2, 0}, BreakLineResult::Refused},
  };
  const Definition before = s.definition();
  for (const auto& c : cases) EXPECT_EQ(s.addBreakLine(c.a, c.b), c.expected);
  EXPECT_EQ(s.definition(), before);
  ASSERT_TRUE(valid(s));
}

// The ends of a break line snap to points within the tolerance, so the line runs exactly to
// the point and the point's elevation holds.
TEST(BreakLine, EndsSnapToNearbyPoints) {
  Surface s;
  s.addPoints(test::gridPoints(5, 5, 0, 0, 1, [](double x, double) { return x; }));
  ASSERT_EQ(s.addBreakLine({1 + 3e-7, 1, 50}, {3, 3 - 3e-7, 50}), BreakLineResult::Added);
  ASSERT_TRUE(valid(s));
  EXPECT_EQ(s.pointCount(), 25);
  EXPECT_EQ(s.definition().breakLines[0].a.x, 1.0);
  EXPECT_NEAR(at(s, 2, 2), 2.0, 1e-12);
}

// Break lines alone make a surface: one line has no area, two crossing lines span four
// triangles around their crossing, which takes the first line's elevation.
TEST(BreakLine, LinesWithoutPoints) {
  Surface s;
  ASSERT_EQ(s.addBreakLine({0, 0, 0}, {10, 10, 10}), BreakLineResult::Added);
  ASSERT_TRUE(valid(s));
  EXPECT_TRUE(s.triangles().empty());
  EXPECT_FALSE(s.elevation({5, 5}).has_value());
  ASSERT_EQ(s.addBreakLine({0, 10, 100}, {10, 0, 200}), BreakLineResult::Added);
  ASSERT_TRUE(valid(s));
  EXPECT_EQ(s.pointCount(), 5);
  EXPECT_EQ(s.triangles().size(), 4u);
  EXPECT_NEAR(at(s, 5, 5), 5.0, 1e-12);
  EXPECT_NEAR(at(s, 2.5, 7.5), 52.5, 1e-9);  // halfway from 100 down to the crossing
}

// Collinear break lines that overlap share their common stretch; both stay present.
TEST(BreakLine, OverlappingCollinearLines) {
  Surface s;
  s.addPoints(test::gridPoints(3, 3, 0, 0, 10, flat));
  ASSERT_EQ(s.addBreakLine({1, 5, 1}, {15, 5, 15}), BreakLineResult::Added);
  ASSERT_EQ(s.addBreakLine({5, 5, 5}, {19, 5, 19}), BreakLineResult::Added);
  ASSERT_TRUE(valid(s));
  EXPECT_NEAR(breakLineLength(s), 18.0, 1e-9);
  EXPECT_NEAR(at(s, 10, 5), 10.0, 1e-9);
  EXPECT_NEAR(at(s, 17, 5), 17.0, 1e-9);
}

// A nearly vertical line passing within 1e-31 of a point and of an earlier line's end (which lie
// 1e-43 apart) crosses that line within rounding of its end, and the earlier line bends through
// the crossing: the side it leaves is tested like any other, whichever road built the surface.
TEST(BreakLine, BendWithinRoundingLeavesTheSurfaceDelaunay) {
  Definition d;
  d.points = {{8.9683101716788293e-44, 0, 1}, {10, 10, 2}};
  d.breakLines = {{{0, 0, 3}, {30, 30, 4}}, {{0, -9216, 5}, {8.2718061255302767e-24, 383026462719.99982, 6}}};
  Surface s;
  s.addPoints(d.points);
  for (const Segment3& line : d.breakLines) {
    ASSERT_EQ(s.addBreakLine(line.a, line.b), BreakLineResult::Added);
    ASSERT_TRUE(valid(s));
  }
  const Surface r = Surface::fromDefinition(d);
  ASSERT_TRUE(valid(r));
  test::expectSameMesh(s, r, 0.0);
}

// Random break lines, points and swaps in any order agree with the surface rebuilt from the
// definition, vertex for vertex and triangle for triangle.
TEST(BreakLine, ManyLinesIncrementallyEqualTheRebuild) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> u(0.0, 100.0), dz(0.0, 10.0);
  Surface s;
  s.addPoints(test::randomPoints(300, 12, 0, 0, 100, bumpy));
  for (int round = 0; round < 40; ++round) {
    const Point3 a{u(rng), u(rng), dz(rng)}, b{u(rng), u(rng), dz(rng)};
    ASSERT_EQ(s.addBreakLine(a, b), BreakLineResult::Added);
    if (round % 10 == 9) s.addPoints(test::randomPoints(50, 100 + round, 0, 0, 100, bumpy));
    if (round % 7 == 3) {
      // Swap the first pair of neighbours that allows it.
      const Mesh& m = s.mesh();
      bool swapped = false;
      // (The swap renews the mesh, so stop before touching it again.)
      for (std::size_t t = 0; !swapped && t < m.triangles.size(); ++t)
        for (int i = 0; !swapped && i < 3; ++i)
          if (m.neighbours[t][i] >= 0)
            swapped = s.swapDiagonal(static_cast<std::int32_t>(t), m.neighbours[t][i]) == SwapResult::Swapped;
      EXPECT_TRUE(swapped);
    }
    ASSERT_TRUE(valid(s)) << "round " << round;
  }
  const Surface r = Surface::fromDefinition(s.definition());
  ASSERT_TRUE(valid(r));
  // A crossing is computed from the pieces its lines have been split into when it is made; if
  // a point lay exactly on a line, incremental and rebuilt crossings could differ in the last
  // bits, hence the tolerance.
  test::expectSameMesh(s, r, 1e-9);
}

}  // namespace
}  // namespace tin
