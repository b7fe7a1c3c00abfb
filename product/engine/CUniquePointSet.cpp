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
