// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace tin::detail {

// Gives each empty cell (-1) of an nx by ny grid, stored by rows, the value of a filled cell
// near it across the plane: over a gap in a survey, a walk that starts at the nearest filled
// cell crosses the gap, where one from a cell far along its row crosses the survey. Two sweeps
// carry each filled cell's offset to its neighbours and keep the shorter (the two-pass distance
// transform, close to the nearest). A grid without a filled cell stays empty.
void fillFromNearest(std::vector<std::int32_t>& cells, std::int64_t nx, std::int64_t ny);

}  // namespace tin::detail
