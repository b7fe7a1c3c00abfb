// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
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

// The rule written out plainly: each point, in order, against every point kept so far; the
// first one within the tolerance in x and in y takes its elevation, else it is kept.
std::vector<Point3> keptByTheRule(const std::vector<Point3>& input, double tol) {
  std::vector<Point3> kept;
  for (const Point3& p : input) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) continue;
    auto same = std::find_if(kept.begin(), kept.end(), [&](const Point3& q) {
      return std::fabs(q.x - p.x) <= tol && std::fabs(q.y - p.y) <= tol;
    });
    if (same != kept.end()) same->z = p.z;
    else kept.push_back(p);
  }
  return kept;
}

// Survey-like input: shots rounded to the millimetre around an origin, with exact copies, near
// copies (some just beyond the tolerance, some chained through a copy that is not kept), shots
// on the borders of the cells of a batch, and refused ones.
std::vector<Point3> surveyWithCopies(std::mt19937_64& rng, std::size_t count, Point2 origin, double tol) {
  std::uniform_real_distribution<double> site(0.0, 40.0), unit(0.0, 1.0);
  std::uniform_int_distribution<int> kind(0, 19);
  std::vector<Point3> input;
  for (std::size_t i = 0; i < count; ++i) {
    const double z = static_cast<double>(i);
    const int k = kind(rng);
    if (k < 6 && !input.empty()) {
      const Point3 p = input[std::uniform_int_distribution<std::size_t>(0, input.size() - 1)(rng)];
      const double reach = k < 2 ? 0.0 : k < 5 ? 1.9 * tol : 1.0001 * tol;  // exact, near, just at the edge
      const double sx = unit(rng) < 0.5 ? -1 : 1, sy = unit(rng) < 0.5 ? -1 : 1;
      input.push_back({p.x + sx * reach * unit(rng), p.y + sy * reach * (k >= 5 ? 1.0 : unit(rng)), z});
    } else if (k == 6) {
      input.push_back({std::nan(""), origin.y, z});
    } else if (k == 7) {  // on or beside a border of the batch's cells
      const double cell = 1024 * tol, border = std::round((origin.x + site(rng)) / cell) * cell;
      input.push_back({border + (unit(rng) - 0.5) * 2 * tol, origin.y + std::round(site(rng) * 1e3) / 1e3, z});
    } else {
      input.push_back({origin.x + std::round(site(rng) * 1e3) / 1e3, origin.y + std::round(site(rng) * 1e3) / 1e3, z});
    }
  }
  return input;
}

struct RuleCase {
  const char* name;
  Point2 origin;
  double tolerance;
};

class UniqueSetKeepsByTheRule : public ::testing::TestWithParam<RuleCase> {};

// However the points come (one block, blocks of any size, single points between blocks, the set
// read between them), the set keeps what the plain rule keeps: the same points, in the same
// order, with the same elevations.
TEST_P(UniqueSetKeepsByTheRule, InEveryWayOfAdding) {
  const RuleCase& c = GetParam();
  std::mt19937_64 rng(20141);
  const std::vector<Point3> input = surveyWithCopies(rng, 6000, c.origin, c.tolerance);
  const std::vector<Point3> expected = keptByTheRule(input, c.tolerance);
  ASSERT_LT(expected.size(), input.size() * 9 / 10);  // the input holds copies to find
  for (std::size_t block : {std::size_t(1), std::size_t(100), std::size_t(300), std::size_t(2000), input.size()}) {
    for (bool readBetween : {false, true}) {
      UniquePointSet set(c.tolerance);
      for (std::size_t i = 0; i < input.size(); i += block) {
        const auto part = std::span<const Point3>(input).subspan(i, std::min(block, input.size() - i));
        if (readBetween && (i / block) % 3 == 1) {
          for (const Point3& p : part) set.add(p);
        } else {
          set.add(part);
        }
        if (readBetween) {
          EXPECT_GT(set.size(), 0u);
        }
      }
      const std::vector<Point3>& got = set.points();
      ASSERT_EQ(got.size(), expected.size()) << "blocks of " << block << (readBetween ? ", read between" : "");
      for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], expected[i]) << "blocks of " << block << ", point " << i;
      // The table built after a batch finds every kept point at its place.
      for (std::size_t i = 0; i < got.size(); i += 97)
        EXPECT_EQ(set.find(got[i].x, got[i].y), static_cast<std::int32_t>(i));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, UniqueSetKeepsByTheRule,
                         ::testing::Values(RuleCase{"local", {0.0, 0.0}, 1e-6},
                                           RuleCase{"around_zero", {-20.0, -20.0}, 1e-6},
                                           RuleCase{"utm", {455000.0, 5070000.0}, 1e-6},
                                           RuleCase{"utm_centimetre_tolerance", {455000.0, 5070000.0}, 0.01}),
                         [](const auto& info) { return std::string(info.param.name); });

// A batch added after single points settles against them: copies of earlier points replace
// their elevations, and a new single point after the batch sees the batch's points.
TEST(UniquePointSet, BatchAfterSinglePointsAndSinglesAfterTheBatch) {
  UniquePointSet set;
  EXPECT_EQ(set.add({10, 10, 1}), UniquePointSet::Outcome::Added);
  EXPECT_EQ(set.add({20, 20, 2}), UniquePointSet::Outcome::Added);
  std::vector<Point3> batch;
  for (int i = 0; i < 1000; ++i) batch.push_back({30.0 + i, 40.0, 100.0 + i});
  batch.push_back({10 + 5e-7, 10, 7});  // a copy of the first single point
  set.add(batch);
  EXPECT_EQ(set.add({31.0, 40.0 - 5e-7, 9}), UniquePointSet::Outcome::Replaced);
  ASSERT_EQ(set.size(), 1002u);
  EXPECT_EQ(set.points()[0].z, 7.0);
  EXPECT_EQ(set.points()[3], (Point3{31.0, 40.0, 9}));
  EXPECT_EQ(set.add({20, 20, 3}), UniquePointSet::Outcome::Replaced);
  EXPECT_EQ(set.points()[1].z, 3.0);
}

}  // namespace
}  // namespace tin
