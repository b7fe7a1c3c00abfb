// SPDX-License-Identifier: GPL-3.0-or-later
// The surface's answers against an independent triangulation of the same points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "EngineTestSupport.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbObjectPointer.h"
#include "product/engine/CKVLIzoLineManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"

namespace uv::engine::test {
namespace {

double hill(double x, double y) { return 100.0 + 12.0 * std::sin(x / 17.0) * std::cos(y / 23.0) + 0.05 * x; }

struct Site {
  const char* name;
  double x0, y0;
};

// Local coordinates and UTM-sized ones (x ~ 500000, y ~ 5000000, millimetre precision).
const Site kSites[] = {{"local", 0.0, 0.0}, {"utm", 500000.0, 5000000.0}};

class AgainstReference : public ::testing::TestWithParam<Site> {
 protected:
  // A surface of n points of the hill, spread over a square of `size` at the site.
  void build(std::size_t n, std::uint64_t seed, double size) {
    points = randomPoints(n, seed, GetParam().x0, GetParam().y0, size, hill);
    CUniquePointSet set = pointSet(points);
    ASSERT_EQ(surface.SetPoints(set), 1);
  }
  std::vector<AcGePoint3d> points;
  CKVLXsurface_Vantor2 surface{nullptr};
};

TEST_P(AgainstReference, ElevationsMatchAnIndependentTriangulation) {
  const Site site = GetParam();
  build(600, 11, 200.0);
  const ReferenceTin reference(points);
  ASSERT_EQ(static_cast<std::size_t>(surface.TriangleCount()), reference.triangleCount());

  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> u(-10.0, 210.0);
  int on = 0;
  for (int i = 0; i < 2000; ++i) {
    const double x = site.x0 + u(rng), y = site.y0 + u(rng);
    double z = 0.0;
    const int found = surface.Elevation(AcGePoint3d(x, y, 0), z);
    const auto expected = reference.elevation(x, y);
    // Right on the hull both answers are fine; away from it they must agree.
    if (found != (expected ? 1 : 0)) continue;
    if (found) {
      ++on;
      EXPECT_NEAR(z, *expected, 1e-6) << "at " << x << ", " << y;
    }
  }
  EXPECT_GT(on, 1000);
}

TEST_P(AgainstReference, ContourLengthsMatchAnIndependentTriangulation) {
  TestDrawing drawing;
  build(500, 12, 150.0);
  const ReferenceTin reference(points);
  CKVLIzoLineManager contours;
  contours.Surface(&surface);
  for (double level : {92.5, 100.0, 104.25, 109.0}) {
    AcDbObjectIdArray ids;
    const int made = contours.Create(level, 1, ids, 0);
    ASSERT_GT(made, 0) << level;
    double length = 0.0;
    for (const auto& id : ids) {
      AcDbObjectPointer<AcDbPolyline> line(id, AcDb::kForRead);
      ASSERT_EQ(line.openStatus(), Acad::eOk);
      EXPECT_DOUBLE_EQ(line->elevation(), level);
      const unsigned n = line->numVerts();
      for (unsigned i = 0; i + 1 < n + (line->isClosed() ? 1u : 0u); ++i) {
        AcGePoint2d a, b;
        line->getPointAt(i, a);
        line->getPointAt((i + 1) % n, b);
        length += std::hypot(a.x - b.x, a.y - b.y);
      }
    }
    EXPECT_NEAR(length, reference.contourLength(level), 1e-6 * std::max(1.0, length)) << level;
  }
}

TEST_P(AgainstReference, DrapedVerticesAndMidpointsLieOnTheSurface) {
  const Site site = GetParam();
  build(400, 13, 100.0);
  const ReferenceTin reference(points);
  // A line with an arc (bulge 0.4 on the middle stretch), wholly inside the points' square.
  AcGePoint3dArray line{AcGePoint3d(site.x0 + 20, site.y0 + 20, 0), AcGePoint3d(site.x0 + 50, site.y0 + 30, 0),
                        AcGePoint3d(site.x0 + 80, site.y0 + 70, 0)};
  AcGeDoubleArray bulges{0.0, 0.4, 0.0};
  AcGePoint3dArray draped;
  ASSERT_EQ(surface.Drape(line, bulges, draped, -1000000.0), 1);
  ASSERT_GT(draped.length(), 20);
  for (int i = 0; i < draped.length(); ++i) {
    const auto expected = reference.elevation(draped[i].x, draped[i].y);
    ASSERT_TRUE(expected);
    EXPECT_NEAR(draped[i].z, *expected, 1e-6);
    if (i + 1 < draped.length()) {
      // Between two draped vertices the line stays within one triangle: straight in 3D.
      const double mx = (draped[i].x + draped[i + 1].x) / 2, my = (draped[i].y + draped[i + 1].y) / 2;
      EXPECT_NEAR((draped[i].z + draped[i + 1].z) / 2, *reference.elevation(mx, my), 1e-6);
    }
  }
  EXPECT_NEAR(draped.first().x, site.x0 + 20, 1e-9);
  EXPECT_NEAR(draped.last().y, site.y0 + 70, 1e-9);
}

// Many elevations in one call, read where the caller's array keeps them, give bit for bit what
// each asked alone gives: inside, on the points themselves, off the surface (0 and not found),
// at a place that is no number, before and after a break line; the arrays handed in are made
// the queries' length whatever they held.
TEST_P(AgainstReference, ElevationsInOneCallAreTheOnesAskedOneByOne) {
  const Site site = GetParam();
  build(400, 13, 120.0);
  AcGePoint3dArray queries;
  std::mt19937_64 rng(8);
  std::uniform_real_distribution<double> u(-15.0, 135.0);
  for (int i = 0; i < 1500; ++i) queries.append(AcGePoint3d(site.x0 + u(rng), site.y0 + u(rng), 7.0));
  for (std::size_t i = 0; i < points.size(); i += 7) queries.append(points[i]);
  queries.append(AcGePoint3d(std::nan(""), site.y0 + 5.0, 0.0));
  for (const bool edited : {false, true}) {
    if (edited) {
      ASSERT_EQ(surface.SetBreakLine(AcGePoint3d(site.x0 + 10.0, site.y0 + 20.0, 90.0),
                                     AcGePoint3d(site.x0 + 100.0, site.y0 + 95.0, 130.0)),
                1);
    }
    AcGeDoubleArray z;
    AcArray<int> found;
    for (int k = 0; k < 5; ++k) {
      z.append(-1.0);
      found.append(7);
    }
    const int count = surface.Elevations(queries, z, found);
    ASSERT_EQ(z.length(), queries.length());
    ASSERT_EQ(found.length(), queries.length());
    int on = 0, outside = 0;
    for (int i = 0; i < queries.length(); ++i) {
      double alone = 0.0;
      const int foundAlone = surface.Elevation(queries[i], alone);
      ASSERT_EQ(found[i], foundAlone) << "query " << i << (edited ? " after the break line" : "");
      if (foundAlone == 1) {
        ++on;
        EXPECT_EQ(std::memcmp(&z[i], &alone, sizeof(double)), 0) << "query " << i << ": " << z[i] << " vs " << alone;
      } else {
        ++outside;
        EXPECT_EQ(z[i], 0.0) << "query " << i;
      }
    }
    EXPECT_EQ(count, on);
    EXPECT_GT(on, 900);
    EXPECT_GT(outside, 300);
  }
}

INSTANTIATE_TEST_SUITE_P(Sites, AgainstReference, ::testing::ValuesIn(kSites),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceGeometry, OffSurfaceStretchesAreLeftOutOrGivenTheElevationAsked) {
  // A 10 x 10 square of plane z = x; the line runs from outside across it and out again.
  std::vector<AcGePoint3d> points;
  for (int i = 0; i <= 10; ++i)
    for (int j = 0; j <= 10; ++j) points.emplace_back(i, j, i);
  CKVLXsurface_Vantor2 surface(nullptr);
  CUniquePointSet set = pointSet(points);
  surface.SetPoints(set);
  const AcGePoint3dArray line{AcGePoint3d(-5, 5.5, 0), AcGePoint3d(15, 5.5, 0)};
  std::vector<AcGePoint3dArray> pieces;
  ASSERT_EQ(surface.DrapePieces(line, AcGeDoubleArray(), pieces, -1000000.0), 1);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_DOUBLE_EQ(pieces[0].first().x, 0.0);
  EXPECT_DOUBLE_EQ(pieces[0].last().x, 10.0);
  for (const auto& p : pieces[0]) EXPECT_NEAR(p.z, p.x, 1e-12);

  AcGePoint3dArray kept;
  ASSERT_EQ(surface.Drape(line, AcGeDoubleArray(), kept, 3.0), 1);
  EXPECT_DOUBLE_EQ(kept.first().x, -5.0);
  EXPECT_DOUBLE_EQ(kept.first().z, 3.0);

  const AcGePoint3dArray outside{AcGePoint3d(20, 20, 0), AcGePoint3d(30, 20, 0)};
  AcGePoint3dArray none;
  EXPECT_EQ(surface.Drape(outside, AcGeDoubleArray(), none, -1000000.0), 0);
  EXPECT_EQ(none.length(), 0);
}

// Degenerate point sets: what a surveyor may load by mistake must give a sound answer.
struct DegenerateCase {
  const char* name;
  std::vector<AcGePoint3d> points;
  int triangles;       // expected triangle count
  AcGePoint3d probe;   // a query point
  int onSurface;       // expected Elevation result there
  double z;            // and elevation
};

class Degenerate : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(Degenerate, GivesASoundSurface) {
  const DegenerateCase& c = GetParam();
  CKVLXsurface_Vantor2 surface(nullptr);
  CUniquePointSet set = pointSet(c.points);
  surface.SetPoints(set);
  EXPECT_EQ(surface.TriangleCount(), c.triangles);
  double z = -1;
  EXPECT_EQ(surface.Elevation(c.probe, z), c.onSurface);
  if (c.onSurface) { EXPECT_NEAR(z, c.z, 1e-7); }
  CKVLPoint3dArray ring;
  if (c.triangles > 0) {
    ASSERT_EQ(surface.GetBoundaryCount(), 1);
    EXPECT_GT(surface.Boundary(0, ring), 3);
    EXPECT_TRUE(ring.first().isEqualTo(ring.last()));
  } else {
    EXPECT_EQ(surface.GetBoundaryCount(), 0);
  }
}

std::vector<DegenerateCase> degenerateCases() {
  std::vector<DegenerateCase> cases;
  cases.push_back({"two_points", {{0, 0, 1}, {10, 0, 2}}, 0, {5, 0, 0}, 0, 0});
  cases.push_back({"collinear", {{0, 0, 1}, {1, 1, 2}, {2, 2, 3}, {3, 3, 4}, {7, 7, 8}}, 0, {1.5, 1.5, 0}, 0, 0});
  // Duplicates in plan: the later elevation wins (z = 7 at the corner).
  cases.push_back({"duplicates", {{0, 0, 1}, {10, 0, 1}, {0, 10, 1}, {0, 0, 7}, {10, 0.0000001, 1}}, 1,
                   {0, 0, 0}, 1, 7});
  // A regular grid: every cell is cocircular, any diagonal is Delaunay, and the plane
  // z = 2x + 3y + 5 must come out exactly wherever it is asked.
  std::vector<AcGePoint3d> grid;
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 8; ++j) grid.emplace_back(500000.0 + i, 5000000.0 + j, 2.0 * i + 3.0 * j + 5.0);
  cases.push_back({"utm_grid", grid, 98, {500003.25, 5000004.5, 0}, 1, 2 * 3.25 + 3 * 4.5 + 5});
  // Points on a line but one: two triangles fan out from the single point off the line.
  cases.push_back({"line_and_one", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 1}}, 2, {1, 0.5, 0}, 1, 0.5});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Sets, Degenerate, ::testing::ValuesIn(degenerateCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SurfaceGeometry, ContainedElementsAreThoseWithCentroidOrMidpointInside) {
  const auto points = randomPoints(300, 21, 0, 0, 100.0, hill);
  CKVLXsurface_Vantor2 surface(nullptr);
  CUniquePointSet set = pointSet(points);
  surface.SetPoints(set);
  const AcGePoint3dArray polygon{AcGePoint3d(20, 20, 0), AcGePoint3d(70, 25, 0), AcGePoint3d(60, 80, 0),
                                 AcGePoint3d(20, 20, 0)};
  auto inside = [&polygon](double x, double y) {
    bool in = false;
    for (int i = 0, j = polygon.length() - 1; i < polygon.length(); j = i++) {
      const auto &a = polygon[i], &b = polygon[j];
      if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y))
        if ((y - a.y) * (b.x - a.x) / (b.y - a.y) + a.x > x) in = !in;
    }
    return in;
  };
  int expectedTriangles = 0, expectedEdges = 0;
  for (const CKVLTriangle* t : *surface.GetAllTriangles()) {
    AcGePoint3d a, b, c;
    ASSERT_TRUE(surface.GetPointAtIndex(t->Point(0), a) && surface.GetPointAtIndex(t->Point(1), b) &&
                surface.GetPointAtIndex(t->Point(2), c));
    expectedTriangles += inside((a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3) ? 1 : 0;
  }
  for (const CKVLEdge* e : *surface.GetAllEdges()) {
    AcGePoint3d a, b;
    surface.GetPointAtIndex(e->Point(0), a);
    surface.GetPointAtIndex(e->Point(1), b);
    expectedEdges += inside((a.x + b.x) / 2, (a.y + b.y) / 2) ? 1 : 0;
  }
  CKVLPointerArray<CKVLTriangle> triangles;
  CKVLPointerArray<CKVLEdge> edges;
  EXPECT_EQ(surface.GetContainedTriangles(polygon, triangles), expectedTriangles);
  EXPECT_EQ(surface.GetContainedEdges(polygon, edges), expectedEdges);
  EXPECT_EQ(triangles.m_bOwner, 1);
  EXPECT_GT(expectedTriangles, 10);
}

TEST(SurfaceGeometry, ExtentsAndHullAreaMatchThePoints) {
  const auto points = randomPoints(250, 31, 1000, 2000, 80.0, hill);
  CKVLXsurface_Vantor2 surface(nullptr);
  CUniquePointSet set = pointSet(points);
  surface.SetPoints(set);
  AcDbExtents expected;
  for (const auto& p : points) expected.addPoint(p);
  const AcDbExtents e = surface.Boundary();
  EXPECT_TRUE(e.minPoint().isEqualTo(expected.minPoint()));
  EXPECT_TRUE(e.maxPoint().isEqualTo(expected.maxPoint()));
  CKVLPoint3dArray ring;
  ASSERT_GT(surface.Boundary(0, ring), 3);
  double area = 0;
  for (int i = 0; i + 1 < ring.length(); ++i) area += ring[i].x * ring[i + 1].y - ring[i + 1].x * ring[i].y;
  EXPECT_NEAR(area / 2, ReferenceTin(points).area(), 1e-6);  // counter-clockwise, the whole hull
}

TEST(SurfaceGeometry, SwapIsRefusedForOneTriangleTwiceAndKeptThroughTheFile) {
  std::vector<AcGePoint3d> square{{0, 0, 0}, {10, 0, 0}, {10, 10, 10}, {0, 10, 0}, {20, 5, 3}};
  CKVLXsurface_Vantor2 surface(nullptr);
  CUniquePointSet set = pointSet(square);
  surface.SetPoints(set);
  // (1, 5) and (9, 5) lie in different triangles of the square whichever diagonal it has.
  CKVLTriangle* a = surface.TriangleAt(AcGePoint3d(1, 5, 0));
  CKVLTriangle* b = surface.TriangleAt(AcGePoint3d(9, 5, 0));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(surface.SwapTringles(a, a), 0);
  double before = 0, after = 0;
  surface.Elevation(AcGePoint3d(5, 5, 0), before);
  ASSERT_NE(a, b);
  ASSERT_EQ(surface.SwapTringles(a, b), 1);
  surface.Elevation(AcGePoint3d(5, 5, 0), after);
  EXPECT_NE(before, after);  // (5, 5) now lies on the other diagonal

  std::stringbuf file;
  ASSERT_EQ(surface.ExportToBin(file), 1);
  CKVLXsurface_Vantor2 reread(nullptr);
  ASSERT_EQ(reread.ImportFromBin(file, CKVLXsurface_Vantor2::kReadAll), 1);
  double reloaded = 0;
  reread.Elevation(AcGePoint3d(5, 5, 0), reloaded);
  EXPECT_DOUBLE_EQ(reloaded, after);
}

}  // namespace
}  // namespace uv::engine::test
