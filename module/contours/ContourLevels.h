// The rules by which the contour dialog turns its inputs into levels, apart
// from any control:
//
//   range of a class   from = the smallest multiple of the interval that is
//                      not below the surface's lowest point, to = the
//                      highest point rounded toward zero to a multiple
//                      (quotients truncated as 32-bit integers), so
//                      zmin -12.3, zmax -2.1, interval 5 give -10 .. 0
//   levels by interval from, from+s, (from+s)+s, ... while not above to:
//                      repeated addition, so 0 .. 1 by 0.1 ends at
//                      0.9999999999999999, not 1
//   merged set         major levels first, then minor ones; a level in
//                      both classes stays major
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <vector>

namespace uv::contours {

struct LevelRange {
  double from = 0;
  double to = 0;
};

// The range of a class with interval s over heights zmin..zmax; nothing
// when s is not above 0 or a quotient does not fit a 32-bit integer.
std::optional<LevelRange> RangeFromHeights(double zmin, double zmax, double s);

// The most levels one class may ask for. Each level is traced over the
// whole surface and kept in the merged set, so a million already means a
// run of hours; beyond it an interval is refused rather than tried.
inline constexpr std::size_t kMaxLevelsPerClass = 1000000;

// How an interval over a range fares before any level is collected.
enum class IntervalCheck { kOk, kNotPositive, kTooManyLevels };
IntervalCheck CheckInterval(const LevelRange& range, double s);

// The levels from range.from up to range.to by repeated addition of s
// (empty when from lies above to). The caller has checked the interval;
// the loop still stops should an addition no longer move the level.
std::vector<double> LevelsByInterval(const LevelRange& range, double s);

// Level -> major. Keys compare exactly; the first insertion of a level wins.
using MergedLevels = std::map<double, bool>;
MergedLevels MergeLevels(const std::vector<double>& major, const std::vector<double>& minor);

}  // namespace uv::contours
