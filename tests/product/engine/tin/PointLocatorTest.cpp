// SPDX-License-Identifier: GPL-3.0-or-later
// locateMany() against a test of every triangle, query by query: the walks (sixteen stretches
// side by side, each leaving a triangle by the side the line from the query before crosses, or
// starting afresh in the query's cell)
// must name the very triangle of smallest index that holds each point, and give the plane's
// elevation there to the bit, whatever order the queries come in and wherever they lie.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "TinTestSupport.h"
#include "tin/Mesh.h"
#include "tin/PointLocator.h"
#include "tin/Predicates.h"
#include "tin/Surface.h"

namespace tin {
namespace {

double slope(double x, double y) { return 50.0 + 0.3 * x - 0.2 * y + std::sin(x * y / 900.0); }

// The smallest triangle holding p (on its sides and corners too), -1 for none.
std::int32_t smallestHolder(const Mesh& m, const Point2& p) {
  for (std::size_t t = 0; t < m.triangles.size(); ++t) {
    const auto ti = static_cast<std::int32_t>(t);
    bool in = true;
    for (int i = 0; i < 3 && in; ++i) in = orientation(m.corner(ti, (i + 1) % 3).plan(), m.corner(ti, (i + 2) % 3).plan(), p) >= 0;
    if (in) return ti;
  }
  return -1;
}

void expectMatchesEveryTriangleTest(const Mesh& m, const std::vector<Point2>& queries) {
  std::vector<std::int32_t> at(queries.size(), 12345);
  std::vector<double> z(queries.size(), 12345.0);
  const PlanView plan{std::span<const Point2>(queries)};
  locateMany(m, plan, at.data(), nullptr);
  locateMany(m, plan, nullptr, z.data());
  std::size_t on = 0;
  for (std::size_t i = 0; i < queries.size(); ++i) {
    const std::int32_t t = smallestHolder(m, queries[i]);
    ASSERT_EQ(at[i], t) << "query " << i << " at " << queries[i].x << ", " << queries[i].y;
    if (t < 0) {
      ASSERT_TRUE(std::isnan(z[i])) << i;
      continue;
    }
    ++on;
    const double expected = elevationInTriangle(m, t, queries[i]);
    ASSERT_EQ(std::memcmp(&z[i], &expected, sizeof(double)), 0) << i << ": " << z[i] << " != " << expected;
  }
  EXPECT_GT(on, 0u);
}

struct Case {
  std::string name;
  Surface surface;
  std::vector<Point2> queries;
};

// Corners, midpoints of sides and points along sides, where the floating-point side tests
// cannot decide and the exact ones must, and the answer is the smallest of several.
std::vector<Point2> onCornersAndSides(const Mesh& m, std::size_t every) {
  std::vector<Point2> q;
  for (std::size_t t = 0; t < m.triangles.size(); t += every) {
    const auto ti = static_cast<std::int32_t>(t);
    const Point2 a = m.corner(ti, 0).plan(), b = m.corner(ti, 1).plan();
    q.push_back(a);
    q.push_back({(a.x + b.x) / 2, (a.y + b.y) / 2});
    // Rounded off the line by a last bit, or not: which side it lies, only the exact test says.
    q.push_back({a.x + (b.x - a.x) * 0.3, a.y + (b.y - a.y) * 0.3});
  }
  return q;
}

TEST(LocateMany, NamesTheSmallestHolderAndItsElevationWhereverTheQueriesLie) {
  std::vector<std::unique_ptr<Case>> cases;
  std::mt19937_64 rng(77);
  {
    // A grid: every side lies on a long line through many others, every query below on one.
    auto c = std::make_unique<Case>();
    c->name = "grid_on_lines";
    c->surface.setPoints(test::gridPoints(30, 25, 0, 0, 4.0, slope));
    c->queries = onCornersAndSides(c->surface.mesh(), 1);
    for (int k = 0; k < 400; ++k) c->queries.push_back({4.0 * (k % 31), 0.37 * k});  // along grid columns
    cases.push_back(std::move(c));
  }
  {
    // Far from the origin, as survey coordinates are: the products of the side tests lose
    // their low bits.
    auto c = std::make_unique<Case>();
    c->name = "far_from_origin";
    c->surface.setPoints(test::randomPoints(2500, 5, 6.5e5, 5.1e6, 400, slope));
    c->queries = onCornersAndSides(c->surface.mesh(), 3);
    std::uniform_real_distribution<double> u(-10, 410);
    for (int k = 0; k < 1500; ++k) c->queries.push_back({6.5e5 + u(rng), 5.1e6 + u(rng)});
    cases.push_back(std::move(c));
  }
  {
    // A surface with break lines, no longer Delaunay, queried on and off it in turn: each walk
    // after one that left the surface starts from a point outside the triangle it stands in.
    auto c = std::make_unique<Case>();
    c->name = "edited_on_and_off";
    c->surface.setPoints(test::randomPoints(1500, 9, 0, 0, 300, slope));
    c->surface.addBreakLine({5, 5, 60}, {290, 280, 70});
    c->surface.addBreakLine({10, 290, 55}, {295, 12, 58});
    c->surface.addBreakLine({150, 2, 50}, {151, 298, 52});
    std::uniform_real_distribution<double> in(0, 300), out(-400, 700);
    for (int k = 0; k < 2000; ++k) {
      c->queries.push_back({in(rng), in(rng)});
      c->queries.push_back(k % 2 ? Point2{out(rng), -50 - in(rng)} : Point2{800 + in(rng), out(rng)});
    }
    cases.push_back(std::move(c));
  }
  {
    // Two tight clusters at opposite corners and a few between: the curve through them jumps,
    // and so do the walks.
    auto c = std::make_unique<Case>();
    c->name = "two_clusters";
    c->surface.setPoints(test::randomPoints(2000, 13, 0, 0, 1000, slope));
    std::normal_distribution<double> near(0, 3);
    for (int k = 0; k < 3000; ++k) {
      const double cx = k % 2 ? 40 : 960, cy = k % 2 ? 50 : 940;
      c->queries.push_back({cx + near(rng), cy + near(rng)});
    }
    for (int k = 0; k < 20; ++k) c->queries.push_back({50.0 * k, 1000 - 50.0 * k});
    cases.push_back(std::move(c));
  }
  {
    // Points on a circle and its centre: every four of them cocircular, many thin triangles.
    auto c = std::make_unique<Case>();
    c->name = "circle";
    std::vector<Point3> ring{{0, 0, 10}};
    for (int k = 0; k < 360; ++k)
      ring.push_back({100 * std::cos(k * M_PI / 180), 100 * std::sin(k * M_PI / 180), 10.0 + k % 7});
    c->surface.setPoints(ring);
    c->queries = onCornersAndSides(c->surface.mesh(), 1);
    for (int k = 0; k < 720; ++k) c->queries.push_back({(k % 100) * std::cos(k * 0.5), (k % 100) * std::sin(k * 0.5)});
    cases.push_back(std::move(c));
  }
  // Each mesh as built (its walks starting in the cells its build left), without cells (as a
  // mesh read back from a file), and with cells that name triangles anywhere, some beyond the
  // last: a start only saves steps, and the answers stay the same.
  enum class Cells { AsBuilt, None, Wrong };
  for (const auto& c : cases) {
    for (const Cells kind : {Cells::AsBuilt, Cells::None, Cells::Wrong}) {
      SCOPED_TRACE(c->name + (kind == Cells::AsBuilt ? " as built"
                              : kind == Cells::None  ? " without cells"
                                                     : " with wrong cells"));
      Mesh m = c->surface.mesh();
      ASSERT_FALSE(m.curveCells.first.empty());
      if (kind == Cells::None) m.curveCells = {};
      if (kind == Cells::Wrong) {
        const std::size_t n = m.curveCells.first.size();
        for (std::size_t k = 0; k < n; ++k)
          m.curveCells.first[k] = static_cast<std::int32_t>(k * (m.triangles.size() + 40) / n);
      }
      std::shuffle(c->queries.begin(), c->queries.end(), rng);
      expectMatchesEveryTriangleTest(m, c->queries);
    }
  }
}

// A surface read back from its saved triangles finds the cells of its curve again where the
// triangles follow it: the same cells as built when nothing was edited, cells still when
// edits added triangles out of turn, and none when the triangles come in another order
// (a start in a point's cell could then lie anywhere). The answers are the same every way.
TEST(LocateMany, ASurfaceReadBackFindsItsCellsWhereItsTrianglesFollowTheCurve) {
  Surface built;
  built.setPoints(test::randomPoints(3000, 31, 0, 0, 500, slope));
  Surface edited;
  edited.setPoints(test::randomPoints(3000, 31, 0, 0, 500, slope));
  edited.addBreakLine({20, 30, 60}, {470, 440, 75});
  edited.addBreakLine({25, 480, 55}, {490, 15, 58});
  // Many short break lines all over, as a survey's kerbs and ditches: a tenth of the triangles
  // made again, out of turn.
  Surface reworked;
  reworked.setPoints(test::randomPoints(3000, 31, 0, 0, 500, slope));
  std::mt19937_64 rng(8);
  {
    std::uniform_real_distribution<double> at(5, 495), step(-12, 12);
    for (int k = 0; k < 150; ++k) {
      const double x = at(rng), y = at(rng);
      reworked.addBreakLine({x, y, 60}, {x + step(rng), y + step(rng), 61});
    }
  }
  std::uniform_real_distribution<double> u(-20, 520);
  std::vector<Point2> queries;
  for (int k = 0; k < 3000; ++k) queries.push_back({u(rng), u(rng)});
  const struct {
    const char* name;
    const Surface& from;
    bool shuffle;
    bool cells;
  } cases[] = {
      {"as built", built, false, true},
      {"edited", edited, false, true},
      {"reworked", reworked, false, true},
      {"in another order", built, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SavedTriangulation st = c.from.saved();
    if (c.shuffle) std::shuffle(st.triangles.begin(), st.triangles.end(), rng);
    std::string why;
    const std::optional<Surface> loaded = Surface::fromSaved(c.from.definition(), std::move(st), why);
    ASSERT_TRUE(loaded.has_value()) << why;
    const CurveCells& cells = loaded->mesh().curveCells;
    EXPECT_EQ(!cells.first.empty(), c.cells);
    if (c.cells && !c.shuffle && &c.from == &built) {
      EXPECT_EQ(cells.bits, built.mesh().curveCells.bits);
      EXPECT_EQ(cells.first, built.mesh().curveCells.first);
    }
    expectMatchesEveryTriangleTest(loaded->mesh(), queries);
  }
}

// Batches around the sizes where the walks are cut into more stretches, on the same surface:
// the same answers at any size, in the caller's order.
TEST(LocateMany, AnySizeOfBatchGivesTheSameAnswers) {
  Surface s;
  s.setPoints(test::randomPoints(800, 21, 0, 0, 200, slope));
  const Mesh& m = s.mesh();
  std::mt19937_64 rng(4);
  std::uniform_real_distribution<double> u(-5, 205);
  std::vector<Point2> all;
  for (int k = 0; k < 2100; ++k) all.push_back({u(rng), u(rng)});
  for (const std::size_t n : {1u, 2u, 63u, 64u, 65u, 1023u, 1025u, 2100u}) {
    SCOPED_TRACE(n);
    const std::vector<Point2> batch(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n));
    expectMatchesEveryTriangleTest(m, batch);
  }
}

}  // namespace
}  // namespace tin
