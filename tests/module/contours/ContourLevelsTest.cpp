// The level rules of the contour dialog: ranges from a surface's heights,
// levels by repeated addition, the refused intervals and the merged set.
#include <gtest/gtest.h>

#include <cmath>

#include "module/contours/ContourLevels.h"

namespace uv::contours {
namespace {

TEST(ContourRange, IsTheMultiplesOfTheIntervalInsideTheHeights) {
  struct Case {
    double zmin, zmax, s, from, to;
  };
  const Case cases[] = {
      {101.37, 150.82, 5, 105, 150},  // the major class of a hill
      {101.37, 150.82, 1, 102, 150},  // its minor class
      {100, 150, 5, 100, 150},        // heights on multiples stay
      {-12.3, -2.1, 5, -10, 0},       // truncation toward zero: the top rounds up below zero
      {-15, -5, 5, -15, -5},
      {-3.5, 7.5, 2, -2, 6},
      {0.05, 0.95, 0.1, 0.1, 0.9},
  };
  for (const Case& c : cases) {
    const auto range = RangeFromHeights(c.zmin, c.zmax, c.s);
    ASSERT_TRUE(range) << c.zmin << " " << c.zmax << " " << c.s;
    EXPECT_NEAR(range->from, c.from, 1e-12) << c.zmin << " / " << c.s;
    EXPECT_NEAR(range->to, c.to, 1e-12) << c.zmax << " / " << c.s;
  }
}

TEST(ContourRange, GivesNothingForAnIntervalWithoutA32BitQuotient) {
  EXPECT_FALSE(RangeFromHeights(100, 200, 0));
  EXPECT_FALSE(RangeFromHeights(100, 200, -5));
  EXPECT_FALSE(RangeFromHeights(1e6, 2e6, 1e-4));  // 1e10 does not fit 32 bits
  EXPECT_TRUE(RangeFromHeights(2e5, 2.1e5, 1e-4));  // 2.1e9 does
}

TEST(ContourLevels, AreMadeByRepeatedAddition) {
  const std::vector<double> tenths = LevelsByInterval({0, 1}, 0.1);
  ASSERT_EQ(tenths.size(), 11u);
  EXPECT_EQ(tenths.back(), 0.9999999999999999);  // not 1, and not 10 * 0.1
  EXPECT_EQ(tenths[3], 0.1 + 0.1 + 0.1);

  EXPECT_EQ(LevelsByInterval({105, 150}, 5), (std::vector<double>{105, 110, 115, 120, 125, 130, 135, 140, 145, 150}));
  EXPECT_EQ(LevelsByInterval({-10, 0}, 5), (std::vector<double>{-10, -5, 0}));
  EXPECT_EQ(LevelsByInterval({7, 7}, 5), (std::vector<double>{7}));
  EXPECT_TRUE(LevelsByInterval({8, 7}, 5).empty());  // from above to
}

TEST(ContourLevels, IntervalsThatCannotMakeLevelsAreRefusedBeforeCollecting) {
  struct Case {
    LevelRange range;
    double s;
    IntervalCheck expected;
  };
  const Case cases[] = {
      {{100, 150}, 0, IntervalCheck::kNotPositive},
      {{100, 150}, -1, IntervalCheck::kNotPositive},
      {{100, 150}, 5, IntervalCheck::kOk},
      {{0, 99.9999}, 0.0001, IntervalCheck::kOk},  // 999,999 steps: the most that is taken
      {{0, 200}, 0.0001, IntervalCheck::kTooManyLevels},
      {{-1e8, 1e8}, 0.001, IntervalCheck::kTooManyLevels},
      {{150, 100}, 0.0001, IntervalCheck::kOk},  // no level at all: nothing to refuse
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckInterval(c.range, c.s), c.expected) << c.range.from << ".." << c.range.to << " by " << c.s;
}

TEST(ContourLevels, MergedSetIsAscendingWithMajorWinningEachSharedLevel) {
  const MergedLevels merged = MergeLevels({110, 105, 105}, {104, 105, 106, 110.0000001});
  const std::vector<std::pair<double, bool>> expected = {
      {104, false}, {105, true}, {106, false}, {110, true}, {110.0000001, false}};
  EXPECT_EQ((std::vector<std::pair<double, bool>>(merged.begin(), merged.end())), expected);
  EXPECT_TRUE(MergeLevels({}, {}).empty());
}

}  // namespace
}  // namespace uv::contours
