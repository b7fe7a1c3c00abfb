// The plan geometry of the shown area: the even-odd test at its edges,
// closing a picked polygon, the view rectangle and the grid walk.
#include <gtest/gtest.h>

#include <vector>

#include "module/display/AreaPolygon.h"
#include "module/display/GridWalk.h"

namespace {

using uv::display::GridFrame;

AcGePoint3dArray polygonOf(std::initializer_list<std::pair<double, double>> xy) {
  AcGePoint3dArray out;
  for (auto [x, y] : xy) out.append(AcGePoint3d(x, y, 0));
  return out;
}

// The square (0,0)-(10,10), closed, and a triangle left open.
//
//   10 +-------+            /\   (5,10)
//      |       |           /  \  the triangle,
//      |       |          /    \ left open
//    0 +-------+    (0,0)/______\(10,0)
//      0      10
TEST(IsInsidePolygon, HalfOpenAtTheEdges) {
  const AcGePoint3dArray square = polygonOf({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
  const AcGePoint3dArray triangle = polygonOf({{0, 0}, {10, 0}, {5, 10}});
  struct Case {
    const AcGePoint3dArray* polygon;
    double x, y;
    bool inside;
    const char* why;
  } cases[] = {
      {&square, 5, 5, true, "middle"},
      {&square, 5, 0, true, "on the lower side: its level counts"},
      {&square, 5, 10, false, "on the upper side: its level does not"},
      {&square, 0, 5, true, "on the left side: the crossing lies ahead at x 10"},
      {&square, 10, 5, false, "on the right side: a crossing at p.x does not toggle"},
      {&square, 0, 0, true, "lower left corner"},
      {&square, 10, 0, false, "lower right corner"},
      {&square, 0, 10, false, "upper left corner"},
      {&square, -1, 5, false, "left of the square: two crossings"},
      {&square, 11, 5, false, "right of the square"},
      {&square, 5, -0.0001, false, "just below"},
      {&triangle, 5, 5, true, "the side from the last point back to the first is taken"},
      {&triangle, 5, 9.999, true, "just under the apex"},
      {&triangle, 5, 10, false, "the apex"},
      {&triangle, 1, 9, false, "beside the apex"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsInsidePolygon(*c.polygon, AcGePoint3d(c.x, c.y, 123)), c.inside)
        << c.why << " (" << c.x << ", " << c.y << ")";
  EXPECT_FALSE(IsInsidePolygon(AcGePoint3dArray(), AcGePoint3d(0, 0, 0)));
}

TEST(AreaPolygon, ClosedOnlyWhenTheEndsLieApart) {
  struct Case {
    AcGePoint3dArray polygon;
    int length;
  } cases[] = {
      {polygonOf({{0, 0}, {10, 0}, {10, 10}}), 4},
      {polygonOf({{0, 0}, {10, 0}, {10, 10}, {0.005, 0.005}}), 4},  // within 0.01: already closed
      {polygonOf({{0, 0}, {10, 0}, {10, 10}, {0.01, 0}}), 4},       // exactly 0.01 apart: closed
      {polygonOf({{0, 0}, {10, 0}, {10, 10}, {0.011, 0}}), 5},
      {polygonOf({{3, 4}}), 1},
      {AcGePoint3dArray(), 0},
  };
  for (Case& c : cases) {
    const AcGePoint3dArray before = c.polygon;
    uv::display::CloseAreaPolygon(c.polygon);
    ASSERT_EQ(c.polygon.length(), c.length);
    if (c.length > before.length()) { EXPECT_EQ(c.polygon.last(), before.first()); }
  }
  // The z counts: a point above the first one is another point.
  AcGePoint3dArray lifted = polygonOf({{0, 0}, {10, 0}, {10, 10}});
  lifted.append(AcGePoint3d(0, 0, 1));
  uv::display::CloseAreaPolygon(lifted);
  EXPECT_EQ(lifted.length(), 5);
}

GridFrame frame(double x0, double y0, double x1, double y1, double dx, double dy) {
  GridFrame g;
  g.min = AcGePoint3d(x0, y0, 0);
  g.max = AcGePoint3d(x1, y1, 0);
  g.dx = dx;
  g.dy = dy;
  return g;
}

// Where each segment and cell lies and its corners' order, e2e_display_show_survey
// compares with its own walk; here, the bounds that its polygons hide.
TEST(GridWalk, VisitsWhatEndsStrictlyBelowTheMaximum) {
  const GridFrame g = frame(0, 0, 100, 100, 10, 10);
  EXPECT_EQ(g.segmentTotal(), 200);
  EXPECT_EQ(g.cellTotal(), 100);

  std::vector<std::pair<AcGePoint3d, AcGePoint3d>> segments;
  uv::display::WalkGridSegments(g, [&](const AcGePoint3d& a, const AcGePoint3d& b) { segments.emplace_back(a, b); });
  ASSERT_EQ(segments.size(), 2u * 10 * 9);
  EXPECT_EQ(segments.front(), std::make_pair(AcGePoint3d(0, 10, 0), AcGePoint3d(0, 0, 0)));
  EXPECT_EQ(segments[89], std::make_pair(AcGePoint3d(90, 90, 0), AcGePoint3d(90, 80, 0)));
  EXPECT_EQ(segments[90], std::make_pair(AcGePoint3d(10, 0, 0), AcGePoint3d(0, 0, 0)));
  EXPECT_EQ(segments.back(), std::make_pair(AcGePoint3d(90, 90, 0), AcGePoint3d(80, 90, 0)));

  std::vector<AcGePoint3d> upperRight;
  uv::display::WalkGridCells(g, [&](const AcGePoint3d& c0, const AcGePoint3d&, const AcGePoint3d&,
                                    const AcGePoint3d&) { upperRight.push_back(c0); });
  ASSERT_EQ(upperRight.size(), 81u);
  EXPECT_EQ(upperRight.front(), AcGePoint3d(10, 10, 0));
  EXPECT_EQ(upperRight.back(), AcGePoint3d(90, 90, 0));
}

TEST(GridWalk, PositionsComeFromRepeatedAddition) {
  // 0.1 added ten times is not 1.0: the walk must show the sum's own value.
  const GridFrame g = frame(0, 0, 1.05, 0.15, 0.1, 0.1);
  std::vector<double> xs;
  uv::display::WalkGridCells(g, [&](const AcGePoint3d& c0, const AcGePoint3d&, const AcGePoint3d&,
                                    const AcGePoint3d&) { xs.push_back(c0.x); });
  ASSERT_EQ(xs.size(), 10u);
  double x = 0.1;
  for (int i = 0; i < 9; ++i) x += 0.1;
  EXPECT_EQ(xs.back(), x);
  EXPECT_NE(xs.back(), 1.0);
}

TEST(GridWalk, TotalsOfDegenerateFrames) {
  EXPECT_EQ(frame(0, 0, 0, 0, 10, 10).cellTotal(), 0);
  EXPECT_EQ(frame(0, 0, 95, 100, 10, 10).segmentTotal(), 190);  // 9.5 x 10 x 2
  EXPECT_EQ(frame(0, 0, 1e9, 1e9, 1e-3, 1e-3).cellTotal(), INT_MAX);
  EXPECT_EQ(frame(0, 0, 100, 100, 10, 10).cellEstimate(), 121);
  EXPECT_TRUE(std::isinf(frame(0, 0, 100, 100, 0, 10).cellEstimate()));
}

}  // namespace
