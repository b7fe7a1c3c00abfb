// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "tin/Geometry.h"
#include "tin/PlanGrid.h"

namespace tin {

// Survey points without duplicates in plan.
//
// Duplicates: two points whose plan coordinates differ by at most the tolerance in x and in y
// (default kDefaultPlanTolerance). A triangulated surface has one elevation per plan position,
// so such points cannot both be kept.
//
// Which one wins: the first keeps its position and its place in the order; the elevation of the
// last one added replaces the earlier one. A surveyor who loads a corrected file over an old one
// expects the new heights, not a silent refusal of every corrected shot.
//
// Points with a coordinate that is no number within +-kMaxCoordinate are refused.
class UniquePointSet {
 public:
  enum class Outcome { Added, Replaced, Refused };

  explicit UniquePointSet(double tolerance = kDefaultPlanTolerance);

  Outcome add(const Point3& p);
  void add(std::span<const Point3> points);

  // Index of the point at (x, y) within the tolerance, -1 if none.
  std::int32_t find(double x, double y) const;

  const std::vector<Point3>& points() const { return points_; }
  std::size_t size() const { return points_.size(); }
  bool empty() const { return points_.empty(); }
  double tolerance() const { return grid_.tolerance(); }
  void reserve(std::size_t n);
  void clear();
  // Hands the points over and leaves the set empty.
  std::vector<Point3> takePoints();

 private:
  std::vector<Point3> points_;
  PlanGrid grid_;
};

}  // namespace tin
