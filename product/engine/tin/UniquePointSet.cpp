// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/UniquePointSet.h"

#include <algorithm>
#include <cmath>

#include "tin/HugePages.h"
namespace tin {

UniquePointSet::UniquePointSet(double tolerance) : grid_(tolerance) {}

UniquePointSet::Outcome UniquePointSet::add(const Point3& p) {
  if (!isCoordinate(p.x) || !isCoordinate(p.y) || !isCoordinate(p.z)) return Outcome::Refused;
  auto pos = [this](std::int32_t i) -> const Point3& { return points_[i]; };
  std::int32_t found = grid_.find(p.x, p.y, pos);
  if (found >= 0) {
    points_[found].z = p.z;
    return Outcome::Replaced;
  }
  // Grown as a vector would, but with room advised for huge pages.
  if (points_.size() == points_.capacity()) detail::reserveLarge(points_, std::max<std::size_t>(16, 2 * points_.size()));
  points_.push_back(p);
  grid_.insert(static_cast<std::int32_t>(points_.size() - 1), pos);
  return Outcome::Added;
}

void UniquePointSet::add(std::span<const Point3> points) {
  // Grown by doubling, so that a caller adding a file in blocks does not copy the set per block.
  const std::size_t needed = points_.size() + points.size();
  if (needed > points_.capacity()) reserve(std::max(needed, 2 * points_.capacity()));
  // Each point looks into a random place of the grid; asking for the place a few points ahead
  // lets the memory come while the points before it are added.
  constexpr std::size_t kAhead = 8;
  const std::size_t n = points.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i + kAhead < n) grid_.prefetch(points[i + kAhead].x, points[i + kAhead].y);
    add(points[i]);
  }
}

std::int32_t UniquePointSet::find(double x, double y) const {
  return grid_.find(x, y, [this](std::int32_t i) -> const Point3& { return points_[i]; });
}

void UniquePointSet::reserve(std::size_t n) {
  detail::reserveLarge(points_, n);
  grid_.reserve(n);
}

std::vector<Point3> UniquePointSet::takePoints() {
  std::vector<Point3> out;
  out.swap(points_);
  grid_.clear();
  return out;
}

void UniquePointSet::clear() {
  points_.clear();
  grid_.clear();
}

}  // namespace tin
