// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/NearestFill.h"

#include <cstddef>

namespace tin::detail {

void fillFromNearest(std::vector<std::int32_t>& cells, std::int64_t nx, std::int64_t ny) {
  struct Offset {
    std::int32_t dx = 0, dy = 0;
    std::int64_t length() const { return std::int64_t{dx} * dx + std::int64_t{dy} * dy; }
  };
  // Which cells were filled to begin with: those keep their value.
  std::vector<Offset> offset(cells.size());
  std::vector<bool> own(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) own[i] = cells[i] >= 0;
  auto take = [&](std::int64_t to, std::int64_t from, std::int32_t dx, std::int32_t dy) {
    const auto t = static_cast<std::size_t>(to), f = static_cast<std::size_t>(from);
    if (own[t] || cells[f] < 0) return;
    const Offset o{offset[f].dx + dx, offset[f].dy + dy};
    if (cells[t] >= 0 && o.length() >= offset[t].length()) return;
    offset[t] = o;
    cells[t] = cells[f];
  };
  for (std::int64_t y = 0; y < ny; ++y) {
    for (std::int64_t x = 0; x < nx; ++x) {
      const std::int64_t i = y * nx + x;
      if (x > 0) take(i, i - 1, 1, 0);
      if (y > 0) {
        take(i, i - nx, 0, 1);
        if (x > 0) take(i, i - nx - 1, 1, 1);
        if (x + 1 < nx) take(i, i - nx + 1, -1, 1);
      }
    }
    for (std::int64_t x = nx - 2; x >= 0; --x) take(y * nx + x, y * nx + x + 1, -1, 0);
  }
  for (std::int64_t y = ny - 1; y >= 0; --y) {
    for (std::int64_t x = nx - 1; x >= 0; --x) {
      const std::int64_t i = y * nx + x;
      if (x + 1 < nx) take(i, i + 1, -1, 0);
      if (y + 1 < ny) {
        take(i, i + nx, 0, -1);
        if (x + 1 < nx) take(i, i + nx + 1, -1, -1);
        if (x > 0) take(i, i + nx - 1, 1, -1);
      }
    }
    for (std::int64_t x = 1; x < nx; ++x) take(y * nx + x, y * nx + x - 1, 1, 0);
  }
}

}  // namespace tin::detail
