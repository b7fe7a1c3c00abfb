// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TinTestSupport.h"

namespace tin {
namespace {

using test::valid;

double plane(double x, double y) { return 5.0 + 0.1 * x - 0.2 * y; }

// The points a drape of p->q must have, found the slow way: p, every place where the segment
// meets an edge of the surface (at a crossing, a vertex or along an edge), and q.
std::vector<Point2> expectedDrape(const Surface& s, Point2 p, Point2 q) {
  std::vector<std::pair<double, Point2>> hits{{0.0, p}, {1.0, q}};
  const double dx = q.x - p.x, dy = q.y - p.y;
  auto param = [&](Point2 x) { return ((x.x - p.x) * dx + (x.y - p.y) * dy) / (dx * dx + dy * dy); };
  for (const Edge& e : s.edges()) {
    const Point3 &a = s.mesh().vertices[e.a], &b = s.mesh().vertices[e.b];
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double den = dx * ey - dy * ex;
    if (den == 0.0) {
      // Parallel: only an edge on the line itself counts, with its ends inside the segment.
      if ((a.x - p.x) * dy - (a.y - p.y) * dx != 0.0) continue;
      for (const Point3& end : {a, b})
        if (param(end.plan()) >= 0.0 && param(end.plan()) <= 1.0) hits.push_back({param(end.plan()), end.plan()});
      continue;
    }
    const double t = ((a.x - p.x) * ey - (a.y - p.y) * ex) / den;
    const double u = ((a.x - p.x) * dy - (a.y - p.y) * dx) / den;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0) continue;
    hits.push_back({t, {a.x + u * ex, a.y + u * ey}});
  }
  std::sort(hits.begin(), hits.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  std::vector<Point2> out;
  for (const auto& [t, x] : hits)
    if (out.empty() || std::hypot(x.x - out.back().x, x.y - out.back().y) > 1e-9) out.push_back(x);
  return out;
}

void expectDrapeOfSegment(const Surface& s, Point2 p, Point2 q, const std::function<double(double, double)>& z) {
  const DrapeResult r = s.drape(std::vector<Point3>{{p.x, p.y, 0}, {q.x, q.y, 0}}, std::vector<double>{0, 0});
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.pieces.size(), 1u);
  const auto& got = r.pieces[0];
  const auto want = expectedDrape(s, p, q);
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(got[i].x, want[i].x, 1e-9) << i;
    EXPECT_NEAR(got[i].y, want[i].y, 1e-9) << i;
    EXPECT_NEAR(got[i].z, z(got[i].x, got[i].y), 1e-9) << i;
  }
}

TEST(Drape, StraightLineGetsAVertexAtEveryEdgeCrossing) {
  Surface s;
  s.addPoints(test::randomPoints(600, 31, 0, 0, 100, plane));
  expectDrapeOfSegment(s, {20, 30}, {80, 65}, plane);
  expectDrapeOfSegment(s, {75.5, 90.25}, {11, 12}, plane);
}

// On a grid the line meets vertices and runs along edges: each vertex comes once, with its own
// elevation, and nothing is made up between.
class DrapeOnGrid : public ::testing::TestWithParam<Segment2> {};

TEST_P(DrapeOnGrid, MeetsVerticesAndEdgesExactly) {
  Surface s;
  s.addPoints(test::gridPoints(11, 11, 0, 0, 1, plane));
  expectDrapeOfSegment(s, GetParam().a, GetParam().b, plane);
}

INSTANTIATE_TEST_SUITE_P(Segments, DrapeOnGrid,
                         ::testing::Values(Segment2{{0.5, 3}, {7.5, 3}},      // along a row of edges
                                           Segment2{{0, 0}, {10, 10}},        // along the cell diagonals
                                           Segment2{{10, 0}, {0, 10}},        // across them, through vertices
                                           Segment2{{0.5, 0}, {0.5, 9.5}},    // from the middle of a hull edge
                                           Segment2{{2, 3}, {8, 6}},          // vertex to vertex, crossing both
                                           Segment2{{3.3, 4.4}, {3.3, 4.9}}), // within two triangles
                         [](const auto& info) { return "segment_" + std::to_string(info.index); });

// Arcs are followed: every draped point lies on the arc, or on a chord within the chord
// tolerance of it, on the side the bulge says.
TEST(Drape, FollowsArcsByTheirBulge) {
  Surface s;
  s.addPoints(test::gridPoints(21, 21, 0, 0, 1, plane));
  DrapeOptions options;
  options.chordTolerance = 0.01;
  for (double bulge : {1.0, -1.0, std::tan(M_PI / 8.0)}) {
    const std::vector<Point3> points{{5, 10, 0}, {15, 10, 0}};
    const DrapeResult r = s.drape(points, std::vector<double>{bulge, 0.0}, options);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.pieces.size(), 1u);
    const auto& arc = r.pieces[0];
    // Centre and radius from the bulge: sweep 4 atan(b), centre on the chord's normal.
    const double sweep = 4.0 * std::atan(bulge), radius = 5.0 / std::sin(std::fabs(sweep) / 2.0);
    const Point2 centre{10.0, 10.0 + 5.0 / std::tan(sweep / 2.0)};
    EXPECT_EQ(arc.front().plan(), (Point2{5, 10}));
    EXPECT_EQ(arc.back().plan(), (Point2{15, 10}));
    EXPECT_GT(arc.size(), 20u);
    for (const Point3& p : arc) {
      const double d = std::hypot(p.x - centre.x, p.y - centre.y);
      EXPECT_LE(d, radius + 1e-9);
      EXPECT_GE(d, radius - options.chordTolerance - 1e-9);
      EXPECT_TRUE(bulge > 0 ? p.y <= 10 + 1e-9 : p.y >= 10 - 1e-9);  // counter-clockwise bulges right
      EXPECT_NEAR(p.z, plane(p.x, p.y), 1e-9);
    }
  }
}

struct OffCase {
  const char* name;
  std::vector<Point3> line;
  double offZ;
  std::size_t pieces;
  Point3 first, last;  // of the first piece (last: of the last piece)
};

class DrapeOffTheSurface : public ::testing::TestWithParam<OffCase> {};

// The C-shaped surface: the square 0..10 without the notch x > 4, 3 < y < 7.
Surface cShape() {
  std::vector<Point3> points;
  for (const Point3& p : test::gridPoints(11, 11, 0, 0, 1, [](double x, double) { return 1 + x; }))
    if (!(p.x > 4 && p.y > 3 && p.y < 7)) points.push_back(p);
  Surface s;
  s.addPoints(points);
  s.setMaxEdgeLength(1.2);
  return s;
}

TEST_P(DrapeOffTheSurface, DropsOrKeepsStretches) {
  const OffCase& c = GetParam();
  const Surface s = cShape();
  ASSERT_TRUE(valid(s));
  DrapeOptions options;
  options.offSurfaceZ = c.offZ;
  const DrapeResult r = s.drape(c.line, std::vector<double>(c.line.size(), 0.0), options);
  ASSERT_EQ(r.ok, c.pieces > 0);
  ASSERT_EQ(r.pieces.size(), c.pieces);
  if (c.pieces == 0) return;
  const Point3 first = r.pieces.front().front(), last = r.pieces.back().back();
  EXPECT_NEAR(first.x, c.first.x, 1e-9);
  EXPECT_NEAR(first.y, c.first.y, 1e-9);
  EXPECT_NEAR(first.z, c.first.z, 1e-9);
  EXPECT_NEAR(last.x, c.last.x, 1e-9);
  EXPECT_NEAR(last.y, c.last.y, 1e-9);
  EXPECT_NEAR(last.z, c.last.z, 1e-9);
  for (const auto& piece : r.pieces)
    for (const Point3& p : piece) {
      if (p.z != c.offZ) {
        EXPECT_NEAR(p.z, 1 + p.x, 1e-9);
      }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrapeOffTheSurface,
    ::testing::Values(
        OffCase{"through_dropped", {{-5, 2, 0}, {15, 2, 0}}, kNoElevation, 1, {0, 2, 1}, {10, 2, 11}},
        OffCase{"through_kept", {{-5, 2, 0}, {15, 2, 0}}, -7.0, 1, {-5, 2, -7}, {15, 2, -7}},
        OffCase{"across_the_notch", {{2, 5, 0}, {12, 5, 0}}, kNoElevation, 1, {2, 5, 3}, {4, 5, 5}},
        OffCase{"in_and_out_twice", {{2, 2, 0}, {8, 8, 0}}, kNoElevation, 2, {2, 2, 3}, {8, 8, 9}},
        OffCase{"corner_outside", {{2, 2, 0}, {5, -5, 0}, {8, 2, 0}}, kNoElevation, 2, {2, 2, 3}, {8, 2, 9}},
        OffCase{"corner_outside_kept", {{2, 2, 0}, {5, -5, 0}, {8, 2, 0}}, 0.0, 1, {2, 2, 3}, {8, 2, 9}},
        OffCase{"all_outside", {{-5, -5, 0}, {-1, 20, 0}}, kNoElevation, 0, {}, {}},
        OffCase{"one_point", {{3, 3, 0}}, kNoElevation, 0, {}, {}},
        OffCase{"not_a_number", {{3, 3, 0}, {std::nan(""), 3, 0}}, kNoElevation, 0, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tin
