#include "module/contours/ContourLevels.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace uv::contours {

namespace {

// The quotient with its fraction dropped, as a 32-bit integer.
std::optional<std::int32_t> Truncated(double quotient) {
  if (!std::isfinite(quotient)) return std::nullopt;
  const double t = std::trunc(quotient);
  if (t < double(std::numeric_limits<std::int32_t>::min()) || t > double(std::numeric_limits<std::int32_t>::max()))
    return std::nullopt;
  return std::int32_t(t);
}

}  // namespace

std::optional<LevelRange> RangeFromHeights(double zmin, double zmax, double s) {
  if (!(s > 0)) return std::nullopt;
  std::optional<std::int32_t> low = Truncated(zmin / s), high = Truncated(zmax / s);
  if (!low || !high) return std::nullopt;
  std::int32_t k = *low;
  if (zmin > k * s) ++k;
  return LevelRange{k * s, *high * s};
}

IntervalCheck CheckInterval(const LevelRange& range, double s) {
  if (!(s > 0) || !std::isfinite(s)) return IntervalCheck::kNotPositive;
  if (range.from > range.to) return IntervalCheck::kOk;  // no level at all
  const double steps = std::floor((range.to - range.from) / s);
  if (!(steps < double(kMaxLevelsPerClass))) return IntervalCheck::kTooManyLevels;
  // An interval below the spacing of doubles at the range would stall the
  // repeated addition.
  if (range.from + s == range.from || range.to + s == range.to) return IntervalCheck::kTooManyLevels;
  return IntervalCheck::kOk;
}

std::vector<double> LevelsByInterval(const LevelRange& range, double s) {
  std::vector<double> levels;
  if (!(s > 0)) return levels;
  for (double level = range.from; range.to >= level; level += s) {
    levels.push_back(level);
    if (level + s == level || levels.size() > kMaxLevelsPerClass) break;
  }
  return levels;
}

MergedLevels MergeLevels(const std::vector<double>& major, const std::vector<double>& minor) {
  MergedLevels merged;
  for (double level : major) merged.emplace(level, true);
  for (double level : minor) merged.emplace(level, false);
  return merged;
}

}  // namespace uv::contours
