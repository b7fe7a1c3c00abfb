// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CUniquePointSet.h"

#include "product/engine/GeConvert.h"

int CUniquePointSet::AddPoint(const AcGePoint3d& point) {
  switch (m_points.add(uv::engine::toTin(point))) {
    case tin::UniquePointSet::Outcome::Added: return 1;
    case tin::UniquePointSet::Outcome::Replaced: return 2;
    case tin::UniquePointSet::Outcome::Refused: return 0;
  }
  return 0;
}

void CUniquePointSet::AddPoints(std::span<const AcGePoint3d> points) {
  std::vector<tin::Point3> block(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) block[i] = uv::engine::toTin(points[i]);
  m_points.add(block);
}

void CUniquePointSet::Reserve(int count) {
  if (count > 0) m_points.reserve(static_cast<std::size_t>(count));
}
