// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "TinTestSupport.h"

namespace tin {
namespace {

using test::RecordingSink;
using test::valid;

double distanceToBoundary(const Surface& s, Point2 p) {
  double best = INFINITY;
  for (const auto& ring : s.boundaryRings())
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Point3 &a = ring[i], &b = ring[(i + 1) % ring.size()];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
      best = std::min(best, std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y));
    }
  return best;
}

// Every contour: at least two points, none repeated next to its neighbour (also across the
// closing of a ring), each at the level and on the surface at the level (or, where it was
// interpolated on the outer edge, within rounding of it).
void expectWellFormed(const Surface& s, const RecordingSink& sink) {
  for (const auto& c : sink.contours) {
    ASSERT_GE(c.points.size(), 2u);
    for (std::size_t i = 0; i < c.points.size(); ++i) {
      const Point3& p = c.points[i];
      EXPECT_EQ(p.z, c.level);
      const auto z = s.elevation(p.plan());
      if (z) {
        EXPECT_NEAR(*z, c.level, 1e-9 * (1.0 + std::fabs(c.level)));
      } else {
        EXPECT_LT(distanceToBoundary(s, p.plan()), 1e-12 * (1.0 + std::fabs(p.x) + std::fabs(p.y)));
      }
      const std::size_t next = i + 1 < c.points.size() ? i + 1 : 0;
      if (next != 0 || c.closed) {
        EXPECT_FALSE(c.points[next].plan() == p.plan()) << "repeated point " << i;
      }
    }
  }
}

std::vector<Point3> cone(double sign) {
  std::vector<Point3> points{{0, 0, 10 * sign}};
  for (int ring = 0; ring < 10; ++ring)
    for (int k = 0; k < 36; ++k) {
      const double r = ring + 0.5, a = k * M_PI / 18.0;
      points.push_back({r * std::cos(a), r * std::sin(a), sign * (10.0 - r)});
    }
  return points;
}

// A cone gives one closed ring at the radius of the level, within the chords of the rings the
// points lie on; counter-clockwise around a hill, clockwise around a hollow.
TEST(Contours, ConeGivesOneRingAtTheRightRadius) {
  for (double sign : {1.0, -1.0}) {
    Surface s;
    s.addPoints(cone(sign));
    RecordingSink sink;
    const double level = 5.2 * sign, radius = 4.8;
    s.traceContour(level, sink);
    ASSERT_EQ(sink.contours.size(), 1u);
    const auto& ring = sink.contours[0];
    EXPECT_TRUE(ring.closed);
    expectWellFormed(s, sink);
    for (const Point3& p : ring.points) {
      EXPECT_LE(std::hypot(p.x, p.y), radius + 1e-9);
      EXPECT_GE(std::hypot(p.x, p.y), radius * std::cos(M_PI / 36.0) - 1e-9);
    }
    EXPECT_EQ(signedArea(ring.points) > 0, sign > 0);
  }
}

// Independent check on a random surface: the length of all contours of a level equals the sum,
// triangle by triangle, of the piece of that level inside each triangle; and every open
// contour ends where the surface does.
TEST(Contours, LengthsMatchATriangleByTriangleSum) {
  Surface s;
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> z(0.0, 10.0);
  const auto points = test::randomPoints(1500, 21, 0, 0, 100, [&](double, double) { return z(rng); });
  s.addPoints(points);
  const std::vector<double> levels{1.3, 4.75, 8.2};
  RecordingSink sink;
  s.traceContours(levels, sink);
  expectWellFormed(s, sink);
  const Mesh& m = s.mesh();
  for (double level : levels) {
    double expected = 0.0;
    for (std::size_t t = 0; t < m.triangles.size(); ++t) {
      std::vector<Point2> cut;
      for (int i = 0; i < 3; ++i) {
        const Point3 &a = m.corner(t, i), &b = m.corner(t, (i + 1) % 3);
        if ((a.z < level) != (b.z < level)) {
          const double f = (level - a.z) / (b.z - a.z);
          cut.push_back({a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)});
        }
      }
      if (cut.size() == 2) expected += std::hypot(cut[0].x - cut[1].x, cut[0].y - cut[1].y);
    }
    double traced = 0.0;
    for (const auto& c : sink.contours) {
      if (c.level != level) continue;
      traced += test::length(c.points, c.closed);
      if (c.closed) continue;
      for (const Point3& end : {c.points.front(), c.points.back()}) {
        EXPECT_LT(distanceToBoundary(s, end.plan()), 1e-9) << "open contour ends inside the surface";
      }
    }
    EXPECT_NEAR(traced, expected, 1e-9 * expected) << level;
  }
}

// A tilted plane z = x: each level is one straight open line across, with higher ground on its
// left (so it runs towards -y).
TEST(Contours, PlaneGivesStraightOpenLines) {
  Surface s;
  s.addPoints(test::gridPoints(10, 10, 0, 0, 1, [](double x, double) { return x; }));
  RecordingSink sink;
  s.traceContours(std::vector<double>{3.5, 7.25, 42.0}, sink);
  expectWellFormed(s, sink);
  ASSERT_EQ(sink.contours.size(), 2u);
  for (const auto& c : sink.contours) {
    EXPECT_FALSE(c.closed);
    for (const Point3& p : c.points) EXPECT_NEAR(p.x, c.level, 1e-12);
    EXPECT_EQ(c.points.front().y, 9.0);
    EXPECT_EQ(c.points.back().y, 0.0);
  }
}

struct AtLevelCase {
  const char* name;
  std::function<double(double, double)> z;
  double level;
  std::size_t polylines;
  bool closed;
  std::size_t points;  // of the first polyline
};

class ContoursThroughVertices : public ::testing::TestWithParam<AtLevelCase> {};

// Vertices exactly at the level count as above it: contours run through them without
// repeated points, summits at the level vanish, ridges and plateaus are traced once.
TEST_P(ContoursThroughVertices, AreTracedOnce) {
  const AtLevelCase& c = GetParam();
  Surface s;
  s.addPoints(test::gridPoints(11, 11, 0, 0, 1, c.z));
  ASSERT_TRUE(valid(s));
  RecordingSink sink;
  s.traceContours(std::vector<double>{c.level}, sink);
  expectWellFormed(s, sink);
  ASSERT_EQ(sink.contours.size(), c.polylines);
  if (c.polylines == 0) return;
  EXPECT_EQ(sink.contours[0].closed, c.closed);
  EXPECT_EQ(sink.contours[0].points.size(), c.points);
}

double chebyshev(double x, double y) { return std::max(std::fabs(x - 5), std::fabs(y - 5)); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ContoursThroughVertices,
    ::testing::Values(
        // The column x = 3 lies at the level: the contour runs through its 11 points.
        AtLevelCase{"column_at_level", [](double x, double) { return x; }, 3.0, 1, false, 11},
        AtLevelCase{"summit_at_level", [](double x, double y) { return 5 - chebyshev(x, y); }, 5.0, 0, false, 0},
        // A ridge along y = 5 at the level, from edge to edge of the surface.
        AtLevelCase{"ridge_at_level", [](double, double y) { return 3 - std::fabs(y - 5); }, 3.0, 1, false, 11},
        // A ridge that ends inside the surface.
        AtLevelCase{"short_ridge_at_level",
                    [](double x, double y) { return (x >= 3 && x <= 7 ? 3.0 : 3.0 - std::fabs(x - 5) + 2) - std::fabs(y - 5); },
                    3.0, 1, false, 5},
        // A plateau at the level over 3..7 x 3..7: one ring through its 16 border points.
        AtLevelCase{"plateau_at_level", [](double x, double y) { return std::min(3.0, 5 - chebyshev(x, y)); }, 3.0, 1,
                    true, 16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Contours, NothingOutsideTheRangeOrForNoLevel) {
  Surface s;
  s.addPoints(test::gridPoints(5, 5, 0, 0, 1, [](double x, double y) { return x + y; }));
  RecordingSink sink;
  s.traceContours(std::vector<double>{-1.0, 8.5, std::nan("")}, sink);
  s.traceContours(std::vector<double>{}, sink);
  EXPECT_TRUE(sink.contours.empty());
}

// A level asked alone goes through the surface's height index; many levels at once are traced
// in one pass. Both must give the same polylines in the same order, also after an edit (an
// index left over from before the edit would miss or invent crossings).
void expectSameAsOnePass(const Surface& s, const std::vector<double>& levels) {
  RecordingSink together;
  s.traceContours(levels, together);
  RecordingSink alone;
  for (double level : levels) s.traceContour(level, alone);
  ASSERT_EQ(alone.contours.size(), together.contours.size());
  for (std::size_t i = 0; i < alone.contours.size(); ++i) {
    EXPECT_EQ(alone.contours[i].level, together.contours[i].level) << i;
    EXPECT_EQ(alone.contours[i].closed, together.contours[i].closed) << i;
    EXPECT_TRUE(alone.contours[i].points == together.contours[i].points) << "contour " << i;
  }
}

struct IndexCase {
  const char* name;
  std::vector<Point3> points;
};

TEST(Contours, OneLevelAtATimeGivesWhatOnePassGives) {
  const std::vector<IndexCase> cases{
      {"hill", cone(1.0)},
      {"hollow", cone(-1.0)},
      {"plane through vertices", test::gridPoints(9, 7, 0, 0, 1, [](double x, double y) { return x + 2 * y; })},
      {"plateau at a level", test::gridPoints(12, 12, 0, 0, 1, [](double x, double y) {
         return std::min(4.0, std::fabs(x - 5.5) + std::fabs(y - 5.5));
       })},
      {"rough ground", test::randomPoints(800, 7, 0, 0, 100, [](double x, double y) {
         return 15 * std::sin(0.3 * x) * std::cos(0.2 * y) + std::fmod(x * y, 3.0);
       })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Surface s;
    s.addPoints(c.points);
    // Every corner height (through vertices), between them, and beyond the surface.
    std::vector<double> levels{-100.0, 100.0};
    for (const auto& p : c.points) levels.push_back(p.z);
    for (double z = -20.25; z < 20; z += 0.5) levels.push_back(z);
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    expectSameAsOnePass(s, levels);  // which leaves the index built

    s.addPoints(std::vector<Point3>{{c.points[0].x + 0.25, c.points[0].y + 0.25, 50.0}});
    expectSameAsOnePass(s, levels);
  }
}

}  // namespace
}  // namespace tin
