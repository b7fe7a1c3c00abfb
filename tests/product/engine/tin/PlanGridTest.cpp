// SPDX-License-Identifier: GPL-3.0-or-later
// The coincidence grid far from the origin, where a cell number no longer fits a double's
// whole numbers: positions are still found, and a lookup still reads only its neighbours.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

#include "tin/PlanGrid.h"

namespace tin {
namespace {

struct FarCase {
  const char* what;
  double tolerance;
  Point2 stored;
  Point2 query;
  bool found;
};

TEST(PlanGrid, FindsPositionsFarFromTheOrigin) {
  const double beyondWhole = 0x1p53 * 16.0;  // cell 2^53 at tolerance 1
  const FarCase cases[] = {
      {"at 1e14, the same position", 1e-6, {-1e14 + 0.5, -1e14 + 0.25}, {-1e14 + 0.5, -1e14 + 0.25}, true},
      {"at 1e14, the neighbouring double", 1e-6, {1e14, 1e14}, {std::nextafter(1e14, 2e14), 1e14}, false},
      {"at 1e14, a tolerance of 0.1", 0.1, {1e14, 5.0}, {1e14 + 0.0625, 5.05}, true},
      {"at 1e300", 1e-6, {1e300, -1e300}, {1e300, -1e300}, true},
      {"at the largest double", 1e-6, {1.7e308, 0}, {1.7e308, 0}, true},
      {"cell 2^53, the same position", 1.0, {beyondWhole, 0}, {beyondWhole, 0}, true},
      {"cell 2^53, one double below", 1.0, {std::nextafter(beyondWhole, 0.0), 0}, {beyondWhole, 0}, false},
      {"cell -2^53", 1.0, {-beyondWhole, 7}, {-beyondWhole, 7.5}, true},
  };
  for (const FarCase& c : cases) {
    SCOPED_TRACE(c.what);
    PlanGrid grid(c.tolerance);
    std::vector<Point2> positions = {{0, 0}, c.stored};
    auto pos = [&](std::int32_t i) -> const Point2& { return positions[i]; };
    grid.insert(0, pos);
    grid.insert(1, pos);
    EXPECT_EQ(grid.find(c.query.x, c.query.y, pos), c.found ? 1 : -1);
    EXPECT_EQ(grid.find(0, 0, pos), 0);
  }
}

// A tolerance whose cells are too narrow to number (a surface file can say anything) is
// refused, not taken: near zero a lookup then spanned every cell from -infinity to +infinity.
TEST(PlanGrid, RefusesAToleranceTooSmallToNumberItsCells) {
  for (double tiny : {5e-324, 1e-310, 9.9e-301, 0.0, -1e-6}) {
    SCOPED_TRACE(tiny);
    EXPECT_THROW(PlanGrid{tiny}, std::invalid_argument);
  }
  PlanGrid grid(kMinPlanTolerance);  // small, but its cells still have a width
  std::vector<Point2> positions = {{0, 0}, {1e-301, -1e-301}, {5.0, 5.0}};
  auto pos = [&](std::int32_t i) -> const Point2& { return positions[i]; };
  for (std::int32_t i = 0; i < 3; ++i) grid.insert(i, pos);
  EXPECT_EQ(grid.find(0, 0, pos), 0);
  EXPECT_EQ(grid.find(1e-301, -1e-301, pos), 0);  // within the tolerance of both: the first wins
  EXPECT_EQ(grid.find(5.0, 5.0, pos), 2);
  EXPECT_EQ(grid.find(1e-290, 0, pos), -1);
}

// 20,000 survey positions in a square of 1 km near -1e14: clamped cell numbers once put them
// all in one cell, and every lookup read every position.
TEST(PlanGrid, ALookupFarFromTheOriginReadsOnlyItsNeighbours) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> u(-1e14, -1e14 + 1000.0);
  std::vector<Point2> positions;
  for (int i = 0; i < 20000; ++i) positions.push_back({u(rng), u(rng)});
  std::size_t reads = 0;
  auto pos = [&](std::int32_t i) -> const Point2& {
    ++reads;
    return positions[i];
  };
  PlanGrid grid;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const std::int32_t found = grid.find(positions[i].x, positions[i].y, pos);
    if (found < 0) grid.insert(static_cast<std::int32_t>(i), pos);
  }
  reads = 0;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const std::int32_t found = grid.find(positions[i].x, positions[i].y, pos);
    ASSERT_GE(found, 0);
    EXPECT_EQ(positions[found].x, positions[i].x);
    EXPECT_EQ(positions[found].y, positions[i].y);
  }
  EXPECT_LT(reads, 4 * positions.size()) << "a lookup reads its own cell, not the table";
}

// Many positions at once (as the first edit indexes every survey point) find what a scan of all
// positions finds: the smallest index within the tolerance in x and y. Clustered positions (a
// few within the tolerance of each other), after entries inserted one by one and before more.
TEST(PlanGrid, ManyAtOnceFindWhatAScanFinds) {
  struct Case {
    const char* what;
    std::int32_t before, many, after;
  };
  const Case cases[] = {{"into an empty grid", 0, 6000, 0},
                        {"after some one by one", 700, 5000, 0},
                        {"and more one by one after", 300, 4000, 900},
                        {"a handful", 0, 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const double tol = 0.01;
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> u(0.0, 3.0), near(-1.5 * tol, 1.5 * tol);
    std::vector<Point2> positions;
    while (positions.size() < static_cast<std::size_t>(c.before + c.many + c.after)) {
      const Point2 p{500000.0 + u(rng), 5000000.0 + u(rng)};
      positions.push_back(p);
      positions.push_back({p.x + near(rng), p.y + near(rng)});
    }
    auto pos = [&](std::int32_t i) -> const Point2& { return positions[i]; };
    PlanGrid grid(tol);
    const std::int32_t split = c.before + c.many, all = split + c.after;
    for (std::int32_t i = 0; i < c.before; ++i) grid.insert(i, pos);
    grid.insertMany(c.before, split, pos);
    for (std::int32_t i = split; i < all; ++i) grid.insert(i, pos);
    EXPECT_EQ(grid.size(), static_cast<std::size_t>(all));
    for (std::int32_t q = 0; q < static_cast<std::int32_t>(positions.size()); ++q) {
      std::int32_t expected = -1;
      for (std::int32_t i = 0; i < all && expected < 0; ++i)
        if (std::fabs(positions[i].x - positions[q].x) <= tol && std::fabs(positions[i].y - positions[q].y) <= tol)
          expected = i;
      ASSERT_EQ(grid.find(positions[q].x, positions[q].y, pos), expected) << "position " << q;
    }
  }
}

}  // namespace
}  // namespace tin
