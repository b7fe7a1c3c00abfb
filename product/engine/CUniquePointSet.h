// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

#include "ge/AcGePoint3d.h"
#include "tin/UniquePointSet.h"

// Survey points gathered for a surface, without duplicates. Two points are duplicates when
// their plan positions differ by at most a micro-unit in x and in y; the first keeps its place,
// the last one's elevation wins (a corrected file loaded over an old one brings its new
// heights). Points with a coordinate that is not a number are refused.
class CUniquePointSet {
 public:
  CUniquePointSet() = default;

  // 1 added, 2 an existing point took the new elevation, 0 refused.
  int AddPoint(const AcGePoint3d& point);
  // Adds each point as AddPoint does, in order, faster for many at once.
  void AddPoints(std::span<const AcGePoint3d> points);
  // Room for `count` points in all, taken before a large load.
  void Reserve(int count);
  int Size() const { return static_cast<int>(m_points.size()); }
  void Clean() { m_points.clear(); }

  const tin::UniquePointSet& Points() const { return m_points; }

 private:
  tin::UniquePointSet m_points;
};
