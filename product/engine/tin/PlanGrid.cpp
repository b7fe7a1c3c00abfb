// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/PlanGrid.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "tin/LargeArrays.h"
namespace tin {

PlanGrid::PlanGrid(double tolerance) : tol_(tolerance) {
  if (!isPlanTolerance(tolerance))
    throw std::invalid_argument("PlanGrid: the tolerance must be a positive number of at least 1e-300");
  invCell_ = 1.0 / (16.0 * tolerance);
  clear();
}

void PlanGrid::clear() {
  // A fresh table: assigning would keep the room of a large one.
  std::vector<Slot>(16).swap(slots_);
  mask_ = slots_.size() - 1;
  count_ = 0;
}

void PlanGrid::reserve(std::size_t n) {
  if (2 * n > slots_.size()) grow(2 * n);
}

std::int64_t detail::farPlanCell(double c) {
  constexpr double kWhole = 0x1p53;  // below it every whole number is a double
  // Beyond, neighbouring doubles lie whole cells apart: they are numbered one by one from
  // 2^53 on. That keeps cells in order (all find() needs) and distinct, up to infinity, within
  // the range of the cell numbers. Clamping instead put every position beyond a limit (1e14
  // at the default tolerance) into one cell, and the table's lookups became linear.
  const std::uint64_t steps = std::bit_cast<std::uint64_t>(std::fabs(c)) - std::bit_cast<std::uint64_t>(kWhole);
  const std::int64_t cell = static_cast<std::int64_t>(kWhole) + static_cast<std::int64_t>(steps);
  return c < 0.0 ? -cell : cell;
}

void PlanGrid::place(std::uint32_t h, std::int32_t index) {
  if (2 * (count_ + 1) > slots_.size()) grow(2 * slots_.size());
  std::size_t s = home(h);
  while (slots_[s].index >= 0) s = (s + 1) & mask_;
  slots_[s] = Slot{h, index};
  ++count_;
}

void PlanGrid::grow(std::size_t minSlots) {
  std::size_t n = slots_.size();
  while (n < minSlots) n *= 2;
  std::vector<Slot> old;
  old.swap(slots_);
  detail::reserveLarge(slots_, n);
  slots_.assign(n, Slot{});
  mask_ = n - 1;
  count_ = 0;
  for (const Slot& s : old)
    if (s.index >= 0) place(s.hash, s.index);
}

}  // namespace tin
