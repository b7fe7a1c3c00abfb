// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tin/UniquePointSet.h"

namespace tin {
namespace {

struct PairCase {
  const char* name;
  Point2 first;
  Point2 second;
  bool duplicate;
};

// The grid behind the set has cells 16 tolerances wide; pairs that straddle a cell border (at
// multiples of 16e-6) must still be found.
class UniquePairs : public ::testing::TestWithParam<PairCase> {};

TEST_P(UniquePairs, DuplicateWithinTheToleranceInBothAxes) {
  const PairCase& c = GetParam();
  UniquePointSet set;  // tolerance 1e-6
  EXPECT_EQ(set.add({c.first.x, c.first.y, 1.0}), UniquePointSet::Outcome::Added);
  const auto second = set.add({c.second.x, c.second.y, 2.0});
  EXPECT_EQ(second, c.duplicate ? UniquePointSet::Outcome::Replaced : UniquePointSet::Outcome::Added);
  ASSERT_EQ(set.size(), c.duplicate ? 1u : 2u);
  if (c.duplicate) {
    // The first keeps its position; the last elevation wins.
    EXPECT_EQ(set.points()[0].plan(), c.first);
    EXPECT_EQ(set.points()[0].z, 2.0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UniquePairs,
    ::testing::Values(PairCase{"same", {5, 5}, {5, 5}, true},
                      PairCase{"exactly_tolerance_in_x", {0, 0}, {1e-6, 0}, true},
                      PairCase{"exactly_tolerance_in_both", {0, 0}, {-1e-6, 1e-6}, true},
                      PairCase{"beyond_tolerance_in_y", {0, 0}, {0, 1.5e-6}, false},
                      PairCase{"beyond_in_x_only", {0, 0}, {2e-6, 1e-7}, false},
                      PairCase{"across_cell_border", {16e-6 - 4e-7, 3}, {16e-6 + 4e-7, 3}, true},
                      PairCase{"across_cell_corner", {32e-6 - 4e-7, 32e-6 - 4e-7}, {32e-6 + 4e-7, 32e-6 + 4e-7}, true},
                      PairCase{"utm_millimetre_apart", {500000.001, 5000000.0}, {500000.002, 5000000.0}, false},
                      PairCase{"utm_rounding_noise", {500000.123, 5000000.456}, {500000.1230000001, 5000000.456}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UniquePointSet, RefusesCoordinatesBeyondTheLimit) {
  UniquePointSet set;
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(set.add({nan, 0, 0}), UniquePointSet::Outcome::Refused);
  EXPECT_EQ(set.add({0, inf, 0}), UniquePointSet::Outcome::Refused);
  EXPECT_EQ(set.add({0, 0, nan}), UniquePointSet::Outcome::Refused);
  EXPECT_EQ(set.add({std::nextafter(kMaxCoordinate, inf), 0, 0}), UniquePointSet::Outcome::Refused);
  EXPECT_EQ(set.add({0, 0, -2 * kMaxCoordinate}), UniquePointSet::Outcome::Refused);
  EXPECT_TRUE(set.empty());
  EXPECT_EQ(set.add({kMaxCoordinate, -kMaxCoordinate, kMaxCoordinate}), UniquePointSet::Outcome::Added);
}

// Many points with exact and near copies mixed in: the set keeps exactly the originals, in
// their order, whatever the table had to grow through.
TEST(UniquePointSet, KeepsOneOfEachAmongManyCopies) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> u(0.0, 1000.0);
  std::vector<Point3> originals;
  for (int i = 0; i < 50000; ++i) originals.push_back({u(rng), u(rng), static_cast<double>(i)});
  UniquePointSet set;
  for (const Point3& p : originals) set.add(p);
  std::uniform_int_distribution<std::size_t> pick(0, originals.size() - 1);
  std::uniform_real_distribution<double> jitter(-9e-7, 9e-7);
  for (int i = 0; i < 20000; ++i) {
    const Point3& p = originals[pick(rng)];
    EXPECT_EQ(set.add({p.x + jitter(rng), p.y + jitter(rng), -1.0}), UniquePointSet::Outcome::Replaced);
  }
  ASSERT_EQ(set.size(), originals.size());
  for (std::size_t i = 0; i < originals.size(); ++i) {
    EXPECT_EQ(set.points()[i].plan(), originals[i].plan());
    EXPECT_EQ(set.find(originals[i].x, originals[i].y), static_cast<std::int32_t>(i));
  }
  EXPECT_EQ(set.find(-5.0, -5.0), -1);
}

// Adding in blocks (as a file load does) gives the set that adding one by one gives: same points,
// same order, same winning elevations, also for chains of near copies where a point lies within
// the tolerance of a copy that was not kept, and for refused points.
TEST(UniquePointSet, BlocksGiveTheSetOfOneByOne) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> u(0.0, 50.0), step(0.0, 1.9e-6);
  std::uniform_int_distribution<int> kind(0, 9);
  std::vector<Point3> input;
  for (int i = 0; i < 30000; ++i) {
    const int k = kind(rng);
    if (k < 3 && !input.empty()) {  // a copy of an earlier point, moved by up to two tolerances
      const Point3& p = input[std::uniform_int_distribution<std::size_t>(0, input.size() - 1)(rng)];
      input.push_back({p.x + step(rng), p.y - step(rng), static_cast<double>(i)});
    } else if (k == 3) {
      input.push_back({std::nan(""), 1.0, 1.0});
    } else {
      input.push_back({u(rng), u(rng), static_cast<double>(i)});
    }
  }
  UniquePointSet one;
  for (const Point3& p : input) one.add(p);
  for (std::size_t block : {std::size_t(1), std::size_t(7), std::size_t(4096), input.size()}) {
    UniquePointSet blocks;
    for (std::size_t i = 0; i < input.size(); i += block)
      blocks.add(std::span<const Point3>(input).subspan(i, std::min(block, input.size() - i)));
    ASSERT_EQ(blocks.size(), one.size()) << block;
    for (std::size_t i = 0; i < one.size(); ++i) {
      ASSERT_EQ(blocks.points()[i].plan(), one.points()[i].plan()) << block << " " << i;
      ASSERT_EQ(blocks.points()[i].z, one.points()[i].z) << block << " " << i;
    }
  }
}

}  // namespace
}  // namespace tin
