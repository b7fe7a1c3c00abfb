// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "TinTestSupport.h"

namespace tin {
namespace {

using test::valid;

std::int32_t pointIndexAt(const Surface& s, Point2 p) {
  const auto& v = s.mesh().vertices;
  for (std::size_t i = 0; i < v.size(); ++i)
    if (v[i].plan() == p) return static_cast<std::int32_t>(i);
  return -1;
}

bool hasEdge(const Surface& s, Point2 a, Point2 b) {
  std::int32_t i = pointIndexAt(s, a), j = pointIndexAt(s, b);
  if (i < 0 || j < 0) return false;
  for (const Edge& e : s.edges())
    if (e.a == std::min(i, j) && e.b == std::max(i, j)) return true;
  return false;
}

//   D(0,9) ________ C(10,10)      D lies inside the circle through A, B, C, so the surface
//         |      / |              has diagonal B-D; swapping gives A-C, and the point (6,4)
//         |    /   |              then lies in A-B-C, whose plane is z = y.
//         |  /     |
//   A(0,0) /_______| B(10,0)
TEST(Swap, ReplacesTheDiagonalAndTheElevationsFollow) {
  Surface s;
  s.addPoints(std::vector<Point3>{{0, 0, 0}, {10, 0, 0}, {10, 10, 10}, {0, 9, 0}});
  ASSERT_TRUE(hasEdge(s, {10, 0}, {0, 9}));
  EXPECT_NE(*s.elevation({6, 4}), 4.0);
  ASSERT_EQ(s.triangles().size(), 2u);
  ASSERT_EQ(s.swapDiagonal(0, 1), SwapResult::Swapped);
  ASSERT_TRUE(valid(s));
  EXPECT_TRUE(hasEdge(s, {0, 0}, {10, 10}));
  EXPECT_FALSE(hasEdge(s, {10, 0}, {0, 9}));
  EXPECT_NEAR(*s.elevation({6, 4}), 4.0, 1e-12);
  ASSERT_EQ(s.definition().swaps.size(), 1u);
  // And back again.
  ASSERT_EQ(s.swapDiagonal(0, 1), SwapResult::Swapped);
  ASSERT_TRUE(valid(s));
  EXPECT_TRUE(hasEdge(s, {10, 0}, {0, 9}));
  EXPECT_TRUE(valid(Surface::fromDefinition(s.definition())));
}

struct RefusalCase {
  const char* name;
  std::vector<Point3> points;
  std::vector<Segment3> breakLines;
  Point2 inFirst, inSecond;  // a point inside each of the two triangles picked
  SwapResult expected;
};

class SwapRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SwapRefusals, LeaveTheSurfaceAsItWas) {
  const RefusalCase& c = GetParam();
  Surface s;
  s.addPoints(c.points);
  for (const Segment3& b : c.breakLines) s.addBreakLine(b.a, b.b);
  const std::int32_t t1 = s.triangleAt(c.inFirst), t2 = s.triangleAt(c.inSecond);
  const auto before = s.edges().size();
  EXPECT_EQ(s.swapDiagonal(t1, t2), c.expected);
  EXPECT_TRUE(s.definition().swaps.empty());
  EXPECT_EQ(s.edges().size(), before);
  EXPECT_TRUE(valid(s));
}

const std::vector<Point3> kQuad{{0, 0, 0}, {10, 0, 0}, {10, 10, 10}, {0, 9, 0}};

INSTANTIATE_TEST_SUITE_P(
    Cases, SwapRefusals,
    ::testing::Values(
        RefusalCase{"same_triangle", kQuad, {}, {6, 4}, {6.1, 4}, SwapResult::SameTriangle},
        RefusalCase{"off_the_surface", kQuad, {}, {6, 4}, {50, 50}, SwapResult::NoSuchTriangle},
        RefusalCase{"not_adjacent", test::gridPoints(5, 5, 0, 0, 1, [](double, double) { return 0.0; }), {},
                    {0.2, 0.1}, {3.8, 3.9}, SwapResult::NotAdjacent},
        RefusalCase{"break_line_diagonal", kQuad, {{{10, 0, 0}, {0, 9, 0}}}, {2, 2}, {8, 8}, SwapResult::BreakLine},
        // (2,1) sits inside the triangle of the others: every pair of triangles makes a
        // quadrilateral with a reflex corner there.
        RefusalCase{"reflex_corner", {{0, 0, 0}, {4, 0, 0}, {2, 4, 0}, {2, 1, 0}}, {}, {2, 0.5}, {2.6, 1.5},
                    SwapResult::NotConvex},
        // The other diagonal would run through (1,1).
        RefusalCase{"flat_corner", {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {1, 1, 0}}, {}, {1, 0.5}, {1.9, 1.2},
                    SwapResult::NotConvex}),
    [](const auto& info) { return std::string(info.param.name); });

// A swap in a square grid (every cell a tie for Delaunay) is kept through later points and
// break lines elsewhere, and through a rebuild from the definition.
TEST(Swap, SurvivesLaterChangesAndAReload) {
  Surface s;
  s.addPoints(test::gridPoints(10, 10, 0, 0, 1, [](double x, double y) { return std::sin(x + 2 * y); }));
  const std::int32_t t1 = s.triangleAt({4.3, 4.6});
  const Triangle first = s.triangles()[t1];
  // The side of t1 that is a cell diagonal is the one opposite its right-angle corner.
  std::int32_t t2 = -1;
  for (int i = 0; i < 3 && t2 < 0; ++i) {
    const Point3& a = s.mesh().vertices[first.v[(i + 1) % 3]];
    const Point3& b = s.mesh().vertices[first.v[(i + 2) % 3]];
    if (a.x != b.x && a.y != b.y) t2 = s.mesh().neighbours[t1][i];
  }
  ASSERT_GE(t2, 0);
  ASSERT_EQ(s.swapDiagonal(t1, t2), SwapResult::Swapped);
  const Segment2 diagonal = s.definition().swaps.at(0);
  auto kept = [&](const Surface& x) { return hasEdge(x, diagonal.a, diagonal.b); };
  ASSERT_TRUE(kept(s));

  s.addPoints(test::randomPoints(200, 9, 20, 0, 10, [](double, double) { return 1.0; }));
  ASSERT_TRUE(valid(s));
  EXPECT_TRUE(kept(s));
  s.addBreakLine({0.5, 8.5, 0}, {8.5, 8.7, 1});
  s.addBreakLine({0.2, 0.3, 0}, {25, 9.5, 1});
  ASSERT_TRUE(valid(s));
  EXPECT_TRUE(kept(s));
  const Surface reloaded = Surface::fromDefinition(s.definition());
  ASSERT_TRUE(valid(reloaded));
  EXPECT_TRUE(kept(reloaded));
}

// A point inside the swapped quadrilateral makes the swap impossible: the surface takes the
// point, and the swap stays in the definition without being made.
TEST(Swap, LapsesWhenAPointLandsInItsQuadrilateral) {
  Surface s;
  s.addPoints(kQuad);
  ASSERT_EQ(s.swapDiagonal(0, 1), SwapResult::Swapped);
  s.addPoints(std::vector<Point3>{{5, 5, 3}});
  ASSERT_TRUE(valid(s));
  EXPECT_FALSE(hasEdge(s, {0, 0}, {10, 10}));
  EXPECT_EQ(s.definition().swaps.size(), 1u);
  EXPECT_EQ(*s.elevation({5, 5}), 3.0);
}

}  // namespace
}  // namespace tin
