// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cmath>
#include <random>
#include <set>
#include <string>

#include "TinTestSupport.h"
#include "tin/Predicates.h"

namespace tin {
namespace {

using test::valid;

double flat(double, double) { return 0.0; }
double wavy(double x, double y) { return 100.0 + 3.0 * std::sin(x / 7.0) + 2.0 * std::cos(y / 5.0); }

struct PointSetCase {
  const char* name;
  std::vector<Point3> points;
};

std::vector<PointSetCase> pointSets() {
  std::vector<PointSetCase> cases;
  cases.push_back({"random", test::randomPoints(3000, 1, 0, 0, 500, wavy)});
  // A square grid: every cell is cocircular, the Delaunay choice is a tie everywhere.
  cases.push_back({"grid", test::gridPoints(40, 30, 10, 20, 2.5, wavy)});
  // Survey coordinates at millimetre precision.
  std::vector<Point3> utm = test::randomPoints(2000, 2, 500000, 5000000, 800, wavy);
  for (Point3& p : utm) {
    p.x = std::round(p.x * 1000.0) / 1000.0;
    p.y = std::round(p.y * 1000.0) / 1000.0;
  }
  cases.push_back({"utm_mm", utm});
  // Points on concentric circles: many cocircular quadruples and near-collinear runs.
  std::vector<Point3> rings;
  for (int r = 1; r <= 12; ++r)
    for (int k = 0; k < 24; ++k) {
      const double a = k * 2.0 * M_PI / 24.0;
      rings.push_back({r * std::cos(a), r * std::sin(a), 50.0 - r});
    }
  cases.push_back({"rings", rings});
  return cases;
}

class SurfaceBuild : public ::testing::TestWithParam<PointSetCase> {};

// The triangles tile the convex hull exactly (their areas add up to the hull's, computed
// independently), the count agrees with Euler (2n - 2 - h), and the surface passes through
// every point.
TEST_P(SurfaceBuild, TilesTheHullAndHonoursEveryPoint) {
  const auto& points = GetParam().points;
  Surface s;
  s.addPoints(points);
  ASSERT_TRUE(valid(s));
  const double hull = test::convexHullArea(test::plan(points));
  EXPECT_NEAR(test::triangleAreaSum(s), hull, 1e-9 * hull);
  ASSERT_EQ(s.boundaryRings().size(), 1u);
  const auto& ring = s.boundaryRings()[0];
  EXPECT_NEAR(signedArea(ring), hull, 1e-9 * hull);
  EXPECT_EQ(s.triangles().size(), 2 * points.size() - 2 - ring.size());
  EXPECT_EQ(s.edges().size(), 3 * points.size() - 3 - ring.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    Point3 at;
    ASSERT_TRUE(s.pointAtIndex(static_cast<std::int32_t>(i), at));
    EXPECT_EQ(at, points[i]);
    const auto z = s.elevation(points[i].plan());
    ASSERT_TRUE(z.has_value());
    EXPECT_EQ(*z, points[i].z);
  }
}

INSTANTIATE_TEST_SUITE_P(Sets, SurfaceBuild, ::testing::ValuesIn(pointSets()),
                         [](const auto& info) { return std::string(info.param.name); });

// Any point set sampled from a plane gives back that plane everywhere inside the hull, also at
// survey coordinates where naive arithmetic loses digits; outside, there is no elevation.
TEST(Surface, ReproducesAPlaneInsideAndNothingOutside) {
  for (double x0 : {0.0, 500000.0}) {
    const double y0 = x0 * 10.0;
    auto plane = [&](double x, double y) { return 250.0 + 0.03 * (x - x0) - 0.02 * (y - y0); };
    Surface s;
    s.addPoints(test::gridPoints(11, 11, x0, y0, 10.0, plane));
    ASSERT_TRUE(valid(s));
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> u(0.0, 100.0);
    for (int i = 0; i < 500; ++i) {
      const Point2 p{x0 + u(rng), y0 + u(rng)};
      const auto z = s.elevation(p);
      ASSERT_TRUE(z.has_value());
      EXPECT_NEAR(*z, plane(p.x, p.y), 1e-9);
    }
    for (Point2 p : {Point2{x0 - 0.001, y0 + 50}, Point2{x0 + 50, y0 + 100.001}, Point2{x0 + 200, y0 + 200}})
      EXPECT_FALSE(s.elevation(p).has_value());
  }
}

struct DegenerateCase {
  const char* name;
  std::vector<Point3> points;
  std::size_t vertices;
  std::size_t triangles;
};

class DegenerateSets : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateSets, StayValidAndCountRight) {
  const auto& c = GetParam();
  Surface s;
  s.addPoints(c.points);
  ASSERT_TRUE(valid(s));
  EXPECT_EQ(static_cast<std::size_t>(s.pointCount()), c.vertices);
  EXPECT_EQ(s.triangles().size(), c.triangles);
  EXPECT_EQ(s.boundaryRings().size(), c.triangles ? 1u : 0u);
  if (c.triangles == 0) {
    for (const Point3& p : c.points) EXPECT_FALSE(s.elevation(p.plan()).has_value());
  }
  if (!c.points.empty()) {
    const Extents e = s.extents();
    ASSERT_FALSE(e.empty);
    const double tol = kDefaultPlanTolerance;  // merged duplicates may lie that far out
    for (const Point3& p : c.points)
      EXPECT_TRUE(p.x >= e.min.x - tol && p.x <= e.max.x + tol && p.y >= e.min.y - tol && p.y <= e.max.y + tol);
  }
}

std::vector<Point3> onLine(int n, double dx, double dy) {
  std::vector<Point3> out;
  for (int i = 0; i < n; ++i) out.push_back({3.0 + i * dx, -1.0 + i * dy, static_cast<double>(i)});
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DegenerateSets,
    ::testing::Values(DegenerateCase{"empty", {}, 0, 0}, DegenerateCase{"one", {{1, 2, 3}}, 1, 0},
                      DegenerateCase{"two", {{1, 2, 3}, {4, 5, 6}}, 2, 0},
                      // Steps that are binary fractions: the points are exactly collinear.
                      DegenerateCase{"collinear", onLine(500, 0.5, 0.375), 500, 0},
                      DegenerateCase{"all_the_same", {{1, 1, 1}, {1, 1, 2}, {1, 1 + 1e-7, 3}}, 1, 0},
                      DegenerateCase{"collinear_plus_one", [] {
                                       auto p = onLine(50, 1.0, 0.0);
                                       p.push_back({20, 5, 0});
                                       return p;
                                     }(), 51, 49}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Surface, DuplicatePointsTakeTheLastElevation) {
  Surface s;
  const PointsResult first = s.addPoints(test::gridPoints(3, 3, 0, 0, 1, flat));
  EXPECT_EQ(first.added, 9u);
  const PointsResult again = s.addPoints(std::vector<Point3>{{1 + 4e-7, 1, 7.5}, {2, 2, std::nan("")}});
  EXPECT_EQ(again.replaced, 1u);
  EXPECT_EQ(again.refused, 1u);
  ASSERT_TRUE(valid(s));
  EXPECT_EQ(s.pointCount(), 9);
  EXPECT_EQ(*s.elevation({1, 1}), 7.5);
  EXPECT_EQ(s.definition().points[4], (Point3{1, 1, 7.5}));
}

// A set handed over whole (a file load) makes the surface that its points make: into an empty
// surface it is taken without a second search for duplicates, into a filled one point by point.
TEST(Surface, AUniqueSetAddsAsItsPointsDo) {
  UniquePointSet set;
  for (const Point3& p : test::randomPoints(500, 9, 0, 0, 100, wavy)) set.add(p);
  Surface fromSet, fromPoints;
  const PointsResult a = fromSet.addPoints(set), b = fromPoints.addPoints(set.points());
  EXPECT_EQ(a.added, b.added);
  EXPECT_EQ(a.refused, 0u);
  EXPECT_EQ(fromSet.definition(), fromPoints.definition());
  test::expectSameMesh(fromSet, fromPoints, 0.0);

  UniquePointSet more;
  for (const Point3& p : test::randomPoints(200, 10, 0, 0, 100, wavy)) more.add(p);
  more.add(set.points()[3]);  // a point already on the surface
  const PointsResult c = fromSet.addPoints(more), d = fromPoints.addPoints(more.points());
  EXPECT_EQ(c.added, d.added);
  EXPECT_EQ(c.replaced, 1u);
  ASSERT_TRUE(valid(fromSet));
  EXPECT_EQ(fromSet.definition(), fromPoints.definition());
  test::expectSameMesh(fromSet, fromPoints, 0.0);
}

// Two polygons that split the surface between them get every triangle and every edge exactly
// once, whatever the split line cuts through.
TEST(Surface, PolygonsThatTileThePlaneShareOutTrianglesAndEdges) {
  Surface s;
  s.addPoints(test::randomPoints(800, 4, 0, 0, 100, wavy));
  const std::vector<Point2> left{{-1, -1}, {37.5, -1}, {61.2, 101}, {-1, 101}};
  const std::vector<Point2> right{{37.5, -1}, {101, -1}, {101, 101}, {61.2, 101}};
  for (bool triangles : {true, false}) {
    auto a = triangles ? s.trianglesInPolygon(left) : s.edgesInPolygon(left);
    auto b = triangles ? s.trianglesInPolygon(right) : s.edgesInPolygon(right);
    const std::size_t all = triangles ? s.triangles().size() : s.edges().size();
    EXPECT_GT(a.size(), all / 4);
    EXPECT_GT(b.size(), all / 4);
    std::set<std::int32_t> both(a.begin(), a.end());
    both.insert(b.begin(), b.end());
    EXPECT_EQ(both.size(), a.size() + b.size()) << "a triangle or edge was given to both";
    EXPECT_EQ(both.size(), all) << "a triangle or edge was given to neither";
  }
  EXPECT_TRUE(s.trianglesInPolygon(std::vector<Point2>{}).empty());
}

// Outer triangles with long sides are peeled; the rest of the surface stays whole, and a
// far-off point no longer has triangles but still counts for the extents.
TEST(Surface, EdgeLengthLimitPeelsLongOuterTriangles) {
  Surface s;
  auto points = test::gridPoints(10, 10, 0, 0, 1, wavy);
  points.push_back({30, 4.5, 0});
  s.addPoints(points);
  EXPECT_NEAR(test::triangleAreaSum(s), test::convexHullArea(test::plan(points)), 1e-9);
  s.setMaxEdgeLength(2.0);
  ASSERT_TRUE(valid(s));
  EXPECT_NEAR(test::triangleAreaSum(s), 81.0, 1e-9);
  ASSERT_EQ(s.boundaryRings().size(), 1u);
  EXPECT_NEAR(signedArea(s.boundaryRings()[0]), 81.0, 1e-9);
  EXPECT_FALSE(s.elevation({20, 4.5}).has_value());
  EXPECT_EQ(s.extents().max.x, 30.0);
  s.setMaxEdgeLength(0.0);
  EXPECT_GT(test::triangleAreaSum(s), 81.0);
}

// A C-shaped cloud: with the limit, the mouth of the C is peeled off, leaving a concave ring.
// The limit (1.2) is below the grid diagonal, so the mouth's inner corners go too.
TEST(Surface, EdgeLengthLimitFollowsConcaveShapes) {
  std::vector<Point3> points;
  for (const Point3& p : test::gridPoints(21, 21, 0, 0, 1, flat))
    if (!(p.x > 5 && p.y > 5 && p.y < 15)) points.push_back(p);
  Surface s;
  s.addPoints(points);
  s.setMaxEdgeLength(1.2);
  ASSERT_TRUE(valid(s));
  ASSERT_EQ(s.boundaryRings().size(), 1u);
  EXPECT_NEAR(signedArea(s.boundaryRings()[0]), 400.0 - 15.0 * 10.0, 1e-9);
  EXPECT_NEAR(test::triangleAreaSum(s), 400.0 - 15.0 * 10.0, 1e-9);
  EXPECT_FALSE(s.elevation({10, 10}).has_value());
  EXPECT_TRUE(s.elevation({3, 10}).has_value());
}

TEST(Surface, RebuildFromDefinitionIsIdentical) {
  Surface s;
  s.addPoints(test::randomPoints(400, 5, 0, 0, 100, wavy));
  s.addBreakLine({10, 10, 95}, {90, 80, 105});
  s.addBreakLine({10, 80, 99}, {90, 15, 101});
  s.addPoints(test::randomPoints(100, 6, 0, 0, 100, wavy));
  s.setMaxEdgeLength(12.0);
  const Surface r = Surface::fromDefinition(s.definition());
  ASSERT_TRUE(valid(r));
  EXPECT_EQ(r.definition(), s.definition());
  test::expectSameMesh(s, r, 0.0);
}

TEST(Surface, RefusesBadSettings) {
  EXPECT_THROW(Surface(SurfaceSettings{0.0, 0.0}), std::invalid_argument);
  EXPECT_THROW(Surface(SurfaceSettings{1e-6, -1.0}), std::invalid_argument);
  Surface s;
  EXPECT_THROW(s.setMaxEdgeLength(std::nan("")), std::invalid_argument);
}

// The triangles that hold p, by an independent test of every triangle.
std::vector<std::int32_t> holders(const Mesh& m, const Point2& p) {
  std::vector<std::int32_t> out;
  for (std::size_t t = 0; t < m.triangles.size(); ++t) {
    const auto ti = static_cast<std::int32_t>(t);
    bool in = true;
    for (int i = 0; i < 3; ++i) in = in && orientation(m.corner(ti, (i + 1) % 3).plan(), m.corner(ti, (i + 2) % 3).plan(), p) >= 0;
    if (in) out.push_back(ti);
  }
  return out;
}

// Many elevations in one call give what each asked alone gives, to the bit: on vertices and on
// sides (where two triangles meet), off the surface and for coordinates that are no number; on
// a surface of points, an edited one (break lines, a swap) and one peeled by a length limit.
// A point where several triangles meet is told by the one of smallest index, whichever way the
// walk to it came.
// Batches of every size, down to none and one, the walks cut into stretches or not: the same
// answers as one query at a time, also where the batch is all off the surface.
TEST(Surface, BatchesOfAnySizeMatchOneByOne) {
  Surface s;
  s.setPoints(test::randomPoints(2000, 12, 1000, 2000, 300, wavy));
  s.addBreakLine({1010, 2010, 5}, {1250, 2270, 9});
  const Extents e = s.extents();
  std::mt19937_64 rng(21);
  std::uniform_real_distribution<double> ux(e.min.x - 5, e.max.x + 5), uy(e.min.y - 5, e.max.y + 5);
  const struct {
    std::size_t count;
    bool off;
  } cases[] = {{0, false}, {1, false}, {3, false}, {64, false}, {65, false}, {1500, false}, {40, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << (c.off ? " off the surface" : ""));
    std::vector<Point2> queries;
    for (std::size_t k = 0; k < c.count; ++k)
      queries.push_back(c.off ? Point2{e.max.x + 1 + ux(rng) - e.min.x, uy(rng)} : Point2{ux(rng), uy(rng)});
    std::vector<double> z{1.0, 2.0};  // what a caller's vector held before is replaced
    std::vector<std::int32_t> at{7};
    s.elevations(queries, z);
    s.trianglesAt(queries, at);
    ASSERT_EQ(z.size(), c.count);
    ASSERT_EQ(at.size(), c.count);
    for (std::size_t i = 0; i < c.count; ++i) {
      const auto one = s.elevation(queries[i]);
      ASSERT_EQ(s.triangleAt(queries[i]), at[i]) << i;
      if (one) ASSERT_EQ(*one, z[i]) << i;
      else ASSERT_TRUE(std::isnan(z[i])) << i;
    }
  }
}

// One query at a time on a surface of points, from the first (which reads only a sample of the
// triangles to start from) through enough to refine the starts twice over: each names the
// triangle of smallest index holding the point, found by testing every triangle, or none off
// the surface.
TEST(Surface, SingleQueriesNameTheSmallestHolderFromTheFirstOn) {
  const struct {
    const char* name;
    std::vector<Point3> points;
  } cases[] = {
      {"one_triangle", {{0, 0, 1}, {10, 0, 2}, {0, 10, 3}}},
      {"few", test::randomPoints(7, 2, 100, 200, 50, wavy)},
      {"grid", test::gridPoints(30, 30, 10, 20, 2.0, wavy)},
      {"random", test::randomPoints(3000, 9, 500000, 5000000, 600, wavy)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Surface s;
    s.setPoints(c.points);
    const Mesh& m = s.mesh();
    std::vector<Point2> queries;
    for (std::size_t t = 0; t < m.triangles.size(); ++t) {
      const auto ti = static_cast<std::int32_t>(t);
      const Point3 &a = m.corner(ti, 0), &b = m.corner(ti, 1), &d = m.corner(ti, 2);
      queries.push_back(a.plan());
      queries.push_back({(a.x + b.x) / 2, (a.y + b.y) / 2});
      queries.push_back({(a.x + b.x + d.x) / 3, (a.y + b.y + d.y) / 3});
    }
    const std::size_t onTheMesh = queries.size();  // corners, midpoints of sides, centroids
    const Extents e = s.extents();
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> ux(e.min.x - 3, e.max.x + 3), uy(e.min.y - 3, e.max.y + 3);
    for (int k = 0; k < 300; ++k) queries.push_back({ux(rng), uy(rng)});
    std::shuffle(queries.begin(), queries.end(), rng);
    std::size_t on = 0;
    for (std::size_t i = 0; i < queries.size(); ++i) {
      const auto all = holders(m, queries[i]);
      const std::int32_t expected = all.empty() ? -1 : *std::min_element(all.begin(), all.end());
      ASSERT_EQ(s.triangleAt(queries[i]), expected) << i;
      on += expected >= 0;
    }
    EXPECT_GE(on, onTheMesh);
  }
}

TEST(Surface, ElevationsInOneCallMatchOneByOne) {
  enum class Kind { Points, Edited, Peeled };
  const struct {
    const char* name;
    std::vector<Point3> points;
    Kind kind;
  } cases[] = {
      {"random", test::randomPoints(4000, 8, 500000, 5000000, 600, wavy), Kind::Points},
      {"grid", test::gridPoints(60, 50, 10, 20, 2.0, wavy), Kind::Points},
      {"clustered", test::randomPoints(3000, 4, 0, 0, 20, wavy), Kind::Points},
      {"grid_edited", test::gridPoints(40, 40, 0, 0, 2.0, wavy), Kind::Edited},
      {"random_peeled", test::randomPoints(3000, 5, 0, 0, 300, wavy), Kind::Peeled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Surface s;
    std::vector<Point3> points = c.points;
    if (std::string(c.name) == "clustered")
      for (const Point3& p : test::randomPoints(300, 6, 5000, 5000, 2000, wavy)) points.push_back(p);
    s.setPoints(points);
    if (c.kind == Kind::Edited) {
      s.addBreakLine({1.3, 0.7, 90}, {70.1, 60.9, 110});
      s.addBreakLine({0.5, 70.0, 95}, {77.7, 3.3, 96});
      const Mesh& m = s.mesh();
      for (std::int32_t t = 0; t < static_cast<std::int32_t>(m.triangles.size()); ++t)
        if (s.swapDiagonal(t, m.neighbours[t][0]) == SwapResult::Swapped) break;
    }
    if (c.kind == Kind::Peeled) s.setMaxEdgeLength(12.0);
    std::vector<Point2> queries;
    for (std::size_t i = 0; i < points.size(); i += 7) queries.push_back(points[i].plan());
    const Mesh& m = s.mesh();
    for (std::size_t t = 0; t < m.triangles.size(); t += 5) {
      const Point3 &a = m.corner(static_cast<std::int32_t>(t), 0), &b = m.corner(static_cast<std::int32_t>(t), 1);
      queries.push_back({(a.x + b.x) / 2, (a.y + b.y) / 2});
    }
    const Extents e = s.extents();
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> ux(e.min.x - 20, e.max.x + 20), uy(e.min.y - 20, e.max.y + 20);
    for (int k = 0; k < 5000; ++k) queries.push_back({ux(rng), uy(rng)});
    queries.push_back({std::nan(""), e.min.y});
    queries.push_back({e.min.x, INFINITY});
    std::shuffle(queries.begin(), queries.end(), rng);

    std::vector<double> z;
    s.elevations(queries, z);
    std::vector<std::int32_t> at;
    s.trianglesAt(queries, at);
    ASSERT_EQ(z.size(), queries.size());
    ASSERT_EQ(at.size(), queries.size());
    std::size_t on = 0;
    for (std::size_t i = 0; i < queries.size(); ++i) {
      const auto one = s.elevation(queries[i]);
      ASSERT_EQ(one.has_value(), !std::isnan(z[i])) << i;
      ASSERT_EQ(s.triangleAt(queries[i]), at[i]) << i;
      if (one) {
        ASSERT_EQ(*one, z[i]) << i;
        ++on;
      }
    }
    EXPECT_GT(on, queries.size() / 3);
    // The smallest of the triangles holding the point, checked on a sample against all.
    for (std::size_t i = 0; i < queries.size(); i += 37) {
      if (!std::isfinite(queries[i].x) || !std::isfinite(queries[i].y)) continue;
      const std::vector<std::int32_t> h = holders(m, queries[i]);
      ASSERT_EQ(h.empty() ? -1 : h.front(), at[i]) << i;
    }
  }
}

}  // namespace
}  // namespace tin

namespace tin {
namespace {

// A load takes the definition's points over only when the saved triangles hold: a file whose
// triangles fail a check is made again from its definition, which must still be whole.
TEST(Surface, ASavedTriangulationThatFailsLeavesTheDefinitionWhole) {
  Surface s;
  s.setPoints(test::randomPoints(600, 14, 0, 0, 100, wavy));
  s.addBreakLine({10.5, 10.5, 100}, {80.25, 70.75, 101});
  const Definition original = s.definition();
  const SavedTriangulation good = s.saved();
  const struct {
    const char* what;
    std::function<void(SavedTriangulation&)> damage;
    bool loads;
  } cases[] = {
      {"whole", [](SavedTriangulation&) {}, true},
      {"a triangle turned clockwise", [](SavedTriangulation& t) { std::swap(t.triangles[3].v[0], t.triangles[3].v[1]); }, false},
      {"a break line ending elsewhere", [](SavedTriangulation& t) { std::reverse(t.chains[0].begin(), t.chains[0].end()); }, false},
      {"a break line missing", [](SavedTriangulation& t) { t.chains.clear(); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Definition d = original;
    SavedTriangulation st = good;
    c.damage(st);
    std::string why;
    const std::optional<Surface> loaded = Surface::fromSaved(std::move(d), std::move(st), why);
    ASSERT_EQ(loaded.has_value(), c.loads) << why;
    if (loaded) {
      EXPECT_EQ(loaded->definition().points, original.points);
      EXPECT_EQ(loaded->triangles(), s.triangles());
    } else {
      EXPECT_FALSE(why.empty());
      EXPECT_EQ(d.points, original.points) << "the rebuild needs every point";
      EXPECT_EQ(Surface::fromDefinition(d).triangles().size(), s.triangles().size());
    }
  }
}

}  // namespace
}  // namespace tin
