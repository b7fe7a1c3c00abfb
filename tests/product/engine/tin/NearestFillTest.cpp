// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tin/NearestFill.h"

using tin::detail::fillFromNearest;

namespace {

// Grids written a row a line: a letter is a filled cell (its value), '.' an empty one.
struct Grid {
  std::vector<std::int32_t> cells;
  std::int64_t nx = 0, ny = 0;
};
Grid gridOf(const std::vector<std::string>& rows) {
  Grid g;
  g.ny = static_cast<std::int64_t>(rows.size());
  g.nx = static_cast<std::int64_t>(rows.front().size());
  for (const std::string& r : rows)
    for (char c : r) g.cells.push_back(c == '.' ? -1 : c - 'A');
  return g;
}
std::vector<std::string> rowsOf(const Grid& g) {
  std::vector<std::string> rows;
  for (std::int64_t y = 0; y < g.ny; ++y) {
    std::string r;
    for (std::int64_t x = 0; x < g.nx; ++x) {
      const std::int32_t v = g.cells[static_cast<std::size_t>(y * g.nx + x)];
      r += v < 0 ? '.' : static_cast<char>('A' + v);
    }
    rows.push_back(r);
  }
  return rows;
}

}  // namespace

// Each empty cell takes the nearest filled cell across the plane, not the next one in storage
// order (which for the last row's start would be the end of the row above).
TEST(NearestFill, EmptyCellsTakeTheNearestFilledCell) {
  const struct {
    std::vector<std::string> in, out;
  } cases[] = {
      {{"A..B"}, {"AABB"}},
      {{"....", "A...", "....", "...B"}, {"AAAB", "AAAB", "AABB", "ABBB"}},
      {{"A.....", "......", ".....B"}, {"AAABBB", "AAABBB", "AAABBB"}},
      {{"....", "....", "...."}, {"....", "....", "...."}},  // nothing to take from
      {{"AB", "BA"}, {"AB", "BA"}},                          // filled cells keep theirs
  };
  for (const auto& c : cases) {
    Grid g = gridOf(c.in);
    fillFromNearest(g.cells, g.nx, g.ny);
    EXPECT_EQ(rowsOf(g), c.out) << c.in.front();
  }
}

// On sparse random grids every empty cell is filled, from a cell within one cell of the
// nearest filled one.
TEST(NearestFill, SparseGridsTakeANearlyNearestCell) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    const std::int64_t nx = 5 + rng() % 40, ny = 5 + rng() % 40;
    std::vector<std::int32_t> cells(static_cast<std::size_t>(nx * ny), -1);
    std::vector<std::pair<std::int64_t, std::int64_t>> filled;
    for (int k = 0; k < 1 + static_cast<int>(rng() % 6); ++k) {
      const std::int64_t x = rng() % nx, y = rng() % ny;
      if (cells[static_cast<std::size_t>(y * nx + x)] >= 0) continue;
      cells[static_cast<std::size_t>(y * nx + x)] = static_cast<std::int32_t>(filled.size());
      filled.emplace_back(x, y);
    }
    fillFromNearest(cells, nx, ny);
    for (std::int64_t y = 0; y < ny; ++y)
      for (std::int64_t x = 0; x < nx; ++x) {
        const std::int32_t v = cells[static_cast<std::size_t>(y * nx + x)];
        ASSERT_GE(v, 0) << x << "," << y;
        double nearest = INFINITY;
        for (const auto& [fx, fy] : filled) nearest = std::min(nearest, std::hypot(double(fx - x), double(fy - y)));
        const auto& [tx, ty] = filled[static_cast<std::size_t>(v)];
        EXPECT_LE(std::hypot(double(tx - x), double(ty - y)), nearest + 1.0) << x << "," << y;
      }
  }
}
