// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <stdexcept>

#include "TinTestSupport.h"
#include "tin/Delaunay.h"
#include "tin/Mesh.h"
#include "tin/MeshOrder.h"
#include "tin/RadixSort.h"

namespace tin {
namespace {

struct RadixCase {
  const char* name;
  std::size_t n;
  int keyBits;
  std::uint64_t valueMask;  // values drawn below it: high digits all alike when small
};

// Stable on the key bits: the same order as std::stable_sort on those bits, equal keys in input
// order, whether the digits vary or not.
TEST(RadixSort, MatchesAStableSortOnTheKeyBits) {
  const RadixCase cases[] = {
      {"empty", 0, 32, ~0ull},        {"one", 1, 32, ~0ull},          {"one digit", 5000, 11, ~0ull},
      {"32 bits", 60000, 32, ~0ull},  {"64 bits", 60000, 64, ~0ull},  {"small values", 60000, 64, 0xFFFFF},
      {"many equal", 60000, 64, 0x7}, {"top bits only", 60000, 64, ~0ull << 50},
  };
  std::mt19937_64 random(11);
  for (const RadixCase& c : cases) {
    std::vector<std::pair<std::uint64_t, std::int32_t>> v(c.n);
    for (std::size_t i = 0; i < c.n; ++i) v[i] = {random() & c.valueMask, static_cast<std::int32_t>(i)};
    const std::uint64_t keyMask = c.keyBits == 64 ? ~0ull : (1ull << c.keyBits) - 1;
    auto key = [keyMask](const std::pair<std::uint64_t, std::int32_t>& e) { return e.first & keyMask; };
    auto expected = v;
    std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
    std::vector<std::pair<std::uint64_t, std::int32_t>> scratch;
    detail::radixSort(v, key, c.keyBits, scratch);
    EXPECT_EQ(v, expected) << c.name;
  }
}

double wavy(double x, double y) { return 10.0 + std::sin(x / 9.0) + std::cos(y / 4.0); }

struct LargeCase {
  const char* name;
  std::vector<Point3> points;
};

// Large enough that the triangles are sorted bucket by bucket. The canonical order holds
// triangle by triangle, and the editable rebuild (which orders its own triangles from scratch)
// gives the very same mesh.
TEST(MeshOrder, LargeSurfacesFollowTheCurveAndMatchTheirRebuild) {
  const LargeCase cases[] = {
      {"random", test::randomPoints(12000, 21, 1000, 2000, 700, wavy)},
      // Cocircular everywhere, and many centroids in a row.
      {"grid", test::gridPoints(130, 110, -50, 30, 1.5, wavy)},
  };
  for (const LargeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Surface s;
    s.setPoints(c.points);
    const Mesh& m = s.mesh();
    ASSERT_GT(m.triangles.size(), 20000u);
    const MeshCurve curve = meshCurve(std::span<const Point3>(m.vertices));
    auto place = [&](std::size_t t) {
      return curve.key(m.corner(static_cast<std::int32_t>(t), 0).plan(), m.corner(static_cast<std::int32_t>(t), 1).plan(),
                       m.corner(static_cast<std::int32_t>(t), 2).plan());
    };
    for (std::size_t t = 0; t < m.triangles.size(); ++t) {
      const Triangle& tri = m.triangles[t];
      ASSERT_TRUE(tri.v[0] < tri.v[1] && tri.v[0] < tri.v[2]) << t;
      if (t == 0) continue;
      const Triangle& before = m.triangles[t - 1];
      const bool inOrder = place(t - 1) < place(t) ||
                           (place(t - 1) == place(t) && std::lexicographical_compare(before.v, before.v + 3, tri.v, tri.v + 3));
      ASSERT_TRUE(inOrder) << t;
    }
    // The cells kept for walks hold each triangle's run: its cell's begins at or before it and
    // the next cell's after it.
    ASSERT_GT(m.curveCells.bits, 0);
    ASSERT_EQ(m.curveCells.first.size(), (std::size_t{1} << m.curveCells.bits) + 1);
    EXPECT_EQ(static_cast<std::size_t>(m.curveCells.first.back()), m.triangles.size());
    for (std::size_t t = 0; t < m.triangles.size(); ++t) {
      const std::uint64_t cell = place(t) >> (64 - m.curveCells.bits);
      ASSERT_LE(m.curveCells.first[cell], static_cast<std::int32_t>(t)) << t;
      ASSERT_GT(m.curveCells.first[cell + 1], static_cast<std::int32_t>(t)) << t;
    }
    const std::vector<Triangle> compact = m.triangles;
    // A later point (here one already present) turns the surface editable.
    s.addPoints(std::vector<Point3>{c.points[0]});
    ASSERT_TRUE(test::valid(s));
    const Mesh& e = s.mesh();
    ASSERT_EQ(e.triangles.size(), compact.size());
    for (std::size_t t = 0; t < compact.size(); ++t)
      ASSERT_TRUE(std::equal(compact[t].v, compact[t].v + 3, e.triangles[t].v)) << "triangle " << t;
  }
}

// Random points with a few exact squares, each alone in a hole cleared for it: four
// cocircular corners whose diagonal the order of insertion decides, met anywhere in the build.
std::vector<Point3> randomWithSquares(std::size_t n, int squares) {
  std::vector<Point3> points = test::randomPoints(n, 17, 500000, 5000000, 900, wavy);
  std::mt19937_64 random(23);
  std::uniform_int_distribution<int> at(10, 890);
  for (int s = 0; s < squares; ++s) {
    const double cx = 500000.0 + at(random), cy = 5000000.0 + at(random);
    std::erase_if(points, [&](const Point3& p) { return std::hypot(p.x - cx, p.y - cy) < 3.0; });
    // Spread through the input, so the corners land in different rounds of the build.
    for (int k = 0; k < 4; ++k) {
      const Point3 corner{cx + (k & 1 ? 1.0 : -1.0), cy + (k & 2 ? 1.0 : -1.0), 5.0};
      points.insert(points.begin() + static_cast<std::ptrdiff_t>(random() % points.size()), corner);
    }
  }
  return points;
}

// Random points around an empty circle through many points, exactly (x^2 + y^2 = r^2 has 20
// whole solutions for r = 25, 108 for r = 1105; scaled by an eighth): one cell of many
// cocircular corners.
std::vector<Point3> randomAroundACircle(std::size_t n, int r) {
  const double cx = 500450.0, cy = 5000450.0;
  std::vector<Point3> points = test::randomPoints(n, 29, 500000, 5000000, 900, wavy);
  std::erase_if(points, [&](const Point3& p) { return std::hypot(p.x - cx, p.y - cy) < r * 0.125 + 10.0; });
  std::mt19937_64 random(31);
  for (int x = -r; x <= r; ++x) {
    const int y = static_cast<int>(std::lround(std::sqrt(1.0 * r * r - x * x)));
    if (x * x + y * y != r * r) continue;
    for (const int sy : {y, -y}) {
      const Point3 p{cx + x * 0.125, cy + sy * 0.125, 3.0};
      points.insert(points.begin() + static_cast<std::ptrdiff_t>(random() % points.size()), p);
      if (y == 0) break;
    }
  }
  return points;
}

// Random points with many more on a few lines (a diagonal, the box's sides): positions that
// land exactly on sides of triangles and on the hull's lines, where a walk meets zeros.
std::vector<Point3> randomWithLines(std::size_t n) {
  std::vector<Point3> points = test::randomPoints(n, 37, 500000, 5000000, 1024, wavy);
  for (int k = 1; k < 1024; k += 3) {
    points.push_back({500000.0 + k, 5000000.0 + k, 1.0});     // the diagonal
    points.push_back({500000.0 + k, 5000000.0, 1.0});         // the lower side of the box
    points.push_back({500000.0, 5000000.0 + k + 0.5, 1.0});   // the left side
  }
  std::shuffle(points.begin(), points.end(), std::mt19937_64(41));
  return points;
}

// The build straight into order and the triangulation ordered afterwards are two roads to the
// same mesh: index for index, neighbours, first triangles and boundary sides included. (The
// large cases take the build's insertion in rounds, whose triangles must be those of the one
// pass along the curve also where cocircular points leave a choice.)
TEST(MeshOrder, TheOrderedBuildMatchesTriangulatingThenOrdering) {
  std::vector<Point3> rings;
  for (int r = 1; r <= 30; ++r)
    for (int k = 0; k < 48; ++k)
      rings.push_back({1000.0 + r * std::cos(k * M_PI / 24.0), 2000.0 + r * std::sin(k * M_PI / 24.0), 1.0 * r});
  const LargeCase cases[] = {
      {"random", test::randomPoints(20000, 5, 500000, 5000000, 900, wavy)},
      {"random with squares", randomWithSquares(30000, 40)},
      {"random around a circle of 20", randomAroundACircle(30000, 25)},
      {"random with lines", randomWithLines(20000)},
      {"random around a circle of 108", randomAroundACircle(30000, 1105)},
      {"grid", test::gridPoints(150, 140, 500000, 5000000, 1.0, wavy)},
      {"rings", rings},
      {"three", test::randomPoints(3, 1, 0, 0, 10, wavy)},
      {"collinear", {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}, {3, 3, 0}}},
      // Triangles 1e-29 of the extents across at their corner (0, 0): their centroids fall in
      // the curve's last cell both ways, and still count.
      {"tiny at the corner",
       {{0, 0, 0},
        {-5.8025197784588059e-50, -5.8025197784589778e-50, 0},
        {-5.8025197784589778e-50, -5.8025197784589778e-50, 0},
        {-5.6451783744743634e-50, -5.8025197784589778e-50, 0},
        {-5.8727617676298151e-21, -5.8727617676298151e-21, 0},
        {-3.4891698640832394e-52, -5.8025197784589778e-50, 0}}},
  };
  for (const LargeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Mesh direct;
    detail::delaunayMesh(c.points, direct);

    detail::FlatTriangulation flat;
    std::vector<Point2> plan;
    for (const Point3& p : c.points) plan.push_back(p.plan());
    detail::delaunay(plan, flat);
    Mesh ordered;
    ordered.vertices = c.points;
    ordered.triangles = flat.triangles;
    ordered.neighbours = flat.neighbours;
    orderMesh(ordered);

    ASSERT_EQ(direct.triangles.size(), flat.triangles.size());
    ASSERT_EQ(direct.triangles.size(), ordered.triangles.size());
    for (std::size_t t = 0; t < direct.triangles.size(); ++t) {
      ASSERT_TRUE(std::equal(direct.triangles[t].v, direct.triangles[t].v + 3, ordered.triangles[t].v)) << t;
      ASSERT_EQ(direct.neighbours[t], ordered.neighbours[t]) << t;
    }
    EXPECT_EQ(direct.vertexTriangle, ordered.vertexTriangle);
    EXPECT_EQ(direct.breakLineSides, ordered.breakLineSides);
    EXPECT_EQ(direct.curveCells.bits, ordered.curveCells.bits);
    EXPECT_EQ(direct.curveCells.first, ordered.curveCells.first);
    ASSERT_EQ(direct.boundarySides.size(), ordered.boundarySides.size());
    for (std::size_t k = 0; k < direct.boundarySides.size(); ++k) {
      EXPECT_EQ(direct.boundarySides[k].triangle, ordered.boundarySides[k].triangle);
      EXPECT_EQ(direct.boundarySides[k].side, ordered.boundarySides[k].side);
    }
  }
}

// A position given twice cannot be triangulated: refused, in one pass and in rounds, whether
// the second comes early or late in the insertion.
TEST(MeshOrder, APositionGivenTwiceIsRefused) {
  const std::vector<Point3> random = test::randomPoints(20000, 43, 500000, 5000000, 900, wavy);
  const struct {
    const char* name;
    std::vector<Point3> points;
  } cases[] = {
      {"a few", {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {3, 3, 0}, {4, 0, 1}}},
      {"a corner again", {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {9, 9, 0}, {4, 0, 2}}},
      {"the first two inserted", {{0, 0, 0}, {0, 0, 1}, {4, 0, 0}, {0, 4, 0}}},
      {"many, the last again", [&] {
         auto p = random;
         p.push_back(p.back());
         return p;
       }()},
      {"many, the first again at the end", [&] {
         auto p = random;
         p.push_back(p.front());
         return p;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Mesh m;
    EXPECT_THROW(detail::delaunayMesh(c.points, m), std::invalid_argument);
    detail::FlatTriangulation flat;
    EXPECT_THROW(detail::delaunay(test::plan(c.points), flat), std::invalid_argument);
  }
}

// Linking a mesh's triangles from their corners alone gives what a map of directed sides
// gives: across each side the triangle that has it the other way round, -1 where none does;
// each vertex's first triangle; every unmatched side listed in triangle order. Also on meshes
// that are no triangulation (a side twice the same way, a lone triangle, unused points).
TEST(MeshOrder, LinkingMatchesAMapOfDirectedSides) {
  // The triangulation leaves the vertices to its caller.
  auto triangulated = [](const std::vector<Point3>& points) {
    Mesh m;
    detail::delaunayMesh(points, m);
    m.vertices = points;
    return m;
  };
  Mesh grid = triangulated(test::gridPoints(40, 30, 500000, 5000000, 1.0, wavy));
  Mesh random = triangulated(test::randomPoints(5000, 9, 0, 0, 300, wavy));
  Mesh odd;
  odd.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {5, 5, 0}, {2, 0, 0}};
  // 0-1-2 and 1-3-2 share 1-2; the second 0-1-2 repeats every side the same way; 2-1-5 has
  // 2-1 the way 1-3-2 has... its own twin 1-2 twice; 1-5-3 and 2-1-5 share 1-5; point 4 unused.
  odd.triangles = {{{0, 1, 2}}, {{1, 3, 2}}, {{0, 1, 2}}, {{1, 5, 3}}, {{2, 1, 5}}};
  const struct {
    const char* name;
    Mesh* mesh;
  } cases[] = {{"grid", &grid}, {"random", &random}, {"odd", &odd}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Mesh m;
    m.vertices = c.mesh->vertices;
    m.triangles = c.mesh->triangles;
    linkMesh(m);
    std::map<std::pair<std::int32_t, std::int32_t>, std::vector<std::int32_t>> by;  // directed side -> triangles
    for (std::int32_t t = 0; t < static_cast<std::int32_t>(m.triangles.size()); ++t)
      for (int i = 0; i < 3; ++i) by[{m.triangles[t].v[(i + 1) % 3], m.triangles[t].v[(i + 2) % 3]}].push_back(t);
    std::vector<std::int32_t> first(m.vertices.size(), -1);
    std::vector<TriangleSide> open;
    for (std::int32_t t = 0; t < static_cast<std::int32_t>(m.triangles.size()); ++t) {
      for (int i = 0; i < 3; ++i) {
        const std::int32_t a = m.triangles[t].v[(i + 1) % 3], b = m.triangles[t].v[(i + 2) % 3];
        if (first[m.triangles[t].v[i]] < 0) first[m.triangles[t].v[i]] = t;
        const auto twins = by.find({b, a});
        const std::int32_t n = m.neighbours[t][i];
        if (twins == by.end()) {
          EXPECT_EQ(n, -1) << t << " side " << i;
        } else if (by[{a, b}].size() == 1 && twins->second.size() == 1) {
          EXPECT_EQ(n, twins->second.front()) << t << " side " << i;
        } else if (n >= 0) {
          // A side met more than twice: whatever it is linked to has it the other way round.
          EXPECT_NE(std::find(twins->second.begin(), twins->second.end(), n), twins->second.end());
        }
        if (n >= 0) {
          const auto& back = m.neighbours[n];
          EXPECT_TRUE(back[0] == t || back[1] == t || back[2] == t) << "links are mutual";
        } else {
          open.push_back({t, i});
        }
      }
    }
    EXPECT_EQ(m.vertexTriangle, first);
    ASSERT_EQ(m.boundarySides.size(), open.size());
    for (std::size_t k = 0; k < open.size(); ++k) {
      EXPECT_EQ(m.boundarySides[k].triangle, open[k].triangle);
      EXPECT_EQ(m.boundarySides[k].side, open[k].side);
    }
  }
}

// The insertion order's curve: along the keys, each cell of a 128 x 128 grid is next to the one
// before (one step in x or in y), and every cell comes once.
// The centroid keys interleave the bits of the two cells: x in the even bits, y in the odd.
TEST(MeshOrder, CurveKeysInterleaveTheCellBits) {
  auto interleaved = [](std::uint32_t x, std::uint32_t y) {
    std::uint64_t key = 0;
    for (int b = 0; b < 32; ++b) key |= std::uint64_t{(x >> b) & 1u} << (2 * b) | std::uint64_t{(y >> b) & 1u} << (2 * b + 1);
    return key;
  };
  const std::uint32_t values[] = {0u, 1u, 2u, 0x80u, 0xFFu, 0x100u, 0x12345678u, 0xDEADBEEFu, 0x80000000u, 0xFFFFFFFFu};
  for (const std::uint32_t x : values)
    for (const std::uint32_t y : values) {
      EXPECT_EQ(detail::spreadBits(x) | detail::spreadBits(y) << 1, interleaved(x, y)) << x << " " << y;
      // A triangle whose three corners lie on the cell's lower left corner has that cell; in the
      // last cell both ways, the place before it, as the last place marks no triangle.
      MeshCurve curve;
      const Point2 p{static_cast<double>(x), static_cast<double>(y)};
      const std::uint64_t last = x == 0xFFFFFFFFu && y == 0xFFFFFFFFu ? 1 : 0;
      EXPECT_EQ(curve.key(p, p, p), interleaved(x, y) - last) << x << " " << y;
      EXPECT_NE(curve.key(p, p, p), detail::kNoPlace);
    }
  // Beyond the range: the nearest cell.
  const MeshCurve curve;
  const Point2 below{-5.0, -1e300}, above{1e12, 5e9};
  EXPECT_EQ(curve.key(below, below, below), 0u);
  EXPECT_EQ(curve.key(above, above, above), interleaved(0xFFFFFFFFu, 0xFFFFFFFFu) - 1);
}

TEST(MeshOrder, HilbertKeysVisitNeighbouringCellsInTurn) {
  // Over a box 65535 wide the key's own cells are one unit; each point lies in the middle of a
  // block of 512 x 512 of them.
  constexpr int kSide = 128;
  std::vector<std::pair<std::uint32_t, std::pair<int, int>>> cells;
  for (int x = 0; x < kSide; ++x)
    for (int y = 0; y < kSide; ++y)
      cells.push_back({detail::hilbertKey(512.0 * x + 256.0, 512.0 * y + 256.0, 0, 0, 65535, 65535), {x, y}});
  std::sort(cells.begin(), cells.end());
  for (std::size_t k = 1; k < cells.size(); ++k) {
    ASSERT_NE(cells[k - 1].first, cells[k].first);
    const auto [x0, y0] = cells[k - 1].second;
    const auto [x1, y1] = cells[k].second;
    ASSERT_EQ(std::abs(x1 - x0) + std::abs(y1 - y0), 1) << "step " << k;
  }
  EXPECT_EQ(cells.front().second, std::make_pair(0, 0));
}

}  // namespace
}  // namespace tin
