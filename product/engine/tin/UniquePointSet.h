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
// Points with a coordinate that is no number a surface takes (isCoordinate, isPlanCoordinate)
// are refused.
//
// Points added in blocks are settled when the set is next read or added to one by one: a large
// batch is sorted by cell, so that only points with another point nearby go through the lookup
// one by one, in their order; the others are kept as they are. The result is the one adding
// each point in order gives (the same points, order and elevations), at a fraction of the cost
// of a lookup in a table of millions per point. The lookup table is built when first needed.
class UniquePointSet {
 public:
  enum class Outcome { Added, Replaced, Refused };

  explicit UniquePointSet(double tolerance = kDefaultPlanTolerance);

  Outcome add(const Point3& p);
  // As add(p) for each point in order, without the outcomes.
  void add(std::span<const Point3> points);

  // Index of the point at (x, y) within the tolerance, -1 if none.
  std::int32_t find(double x, double y) const;

  const std::vector<Point3>& points() const {
    settle();
    return points_;
  }
  std::size_t size() const { return points().size(); }
  bool empty() const { return points_.empty(); }  // refused points never wait to be settled
  double tolerance() const { return grid_.tolerance(); }
  void reserve(std::size_t n);
  void clear();
  // Hands the points over and leaves the set empty.
  std::vector<Point3> takePoints();

 private:
  // Settles the points added in blocks since the last time (see the class comment). Const, as
  // reading the set settles it; the result does not depend on when that happens.
  void settle() const;
  void settleOneByOne() const;
  void settleInBatch() const;
  // Puts the settled points that are not yet in the lookup table into it.
  void index() const;
  Outcome addSettled(const Point3& p) const;

  mutable std::vector<Point3> points_;  // [0, settled_) unique; the rest waits to be settled
  mutable PlanGrid grid_;               // holds points [0, indexed_)
  mutable std::size_t settled_ = 0;
  mutable std::size_t indexed_ = 0;
  std::size_t room_ = 0;  // what reserve() asked for, for the table when it is built
};

}  // namespace tin
