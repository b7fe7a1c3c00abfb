// SPDX-License-Identifier: GPL-3.0-or-later
// Between the host's geometry values and the TIN core's.
#pragma once

#include <vector>

#include "ge/AcGePointArrays.h"
#include "tin/Geometry.h"

namespace uv::engine {

inline tin::Point3 toTin(const AcGePoint3d& p) { return {p.x, p.y, p.z}; }
inline tin::Point2 toTin2(const AcGePoint3d& p) { return {p.x, p.y}; }
inline AcGePoint3d toGe(const tin::Point3& p) { return {p.x, p.y, p.z}; }

inline std::vector<tin::Point2> planOf(const AcGePoint3dArray& points) {
  std::vector<tin::Point2> out;
  out.reserve(static_cast<std::size_t>(points.length()));
  for (const auto& p : points) out.push_back(toTin2(p));
  return out;
}

}  // namespace uv::engine
