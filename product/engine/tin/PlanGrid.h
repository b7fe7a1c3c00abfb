// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tin/Geometry.h"
#include "tin/LargeArrays.h"

namespace tin {

namespace detail {

std::int64_t farPlanCell(double c);

// The number of the cell of width 1 / invCell that holds v. Numbers keep the order of the
// positions, also far from the origin, so a range of positions is a range of cells. Inline, as
// every lookup asks four or more times.
inline std::int64_t planCell(double v, double invCell) {
  const double c = std::floor(v * invCell);
  if (std::fabs(c) < 0x1p53) return static_cast<std::int64_t>(c);
  return farPlanCell(c);
}

// A 32-bit hash of a cell, well mixed in all its bits.
inline std::uint32_t planCellHash(std::int64_t cx, std::int64_t cy) {
  std::uint64_t h = static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ull;
  h ^= static_cast<std::uint64_t>(cy) + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
  h ^= h >> 31;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 29;
  return static_cast<std::uint32_t>(h >> 32);
}

}  // namespace detail

// The smallest plan tolerance taken. Cells are 16 tolerances wide; below about 1e-309 their
// reciprocal width is infinite, every position falls in cell +-infinity and a lookup near zero
// walks all cells in between. A round limit well above that says what is taken.
inline constexpr double kMinPlanTolerance = 1e-300;
inline bool isPlanTolerance(double t) { return t >= kMinPlanTolerance && std::isfinite(t); }

// Finds, among indexed positions, the one that coincides with a query position in plan:
// |dx| <= tolerance and |dy| <= tolerance. When several do, the smallest index wins, so the
// answer does not depend on the order of the table.
//
// The grid does not keep positions: the caller's `pos(index) -> Point2-like` reads them, so a
// million points cost 16 bytes each here. Cells are 16 tolerances wide, so a query box (two
// tolerances wide) usually falls into one cell and never into more than four. Each slot holds
// a 32-bit hash of its cell and the index; a slot's home depends on the hash alone, which lets
// the table grow without reading positions again.
class PlanGrid {
 public:
  explicit PlanGrid(double tolerance = kDefaultPlanTolerance);

  double tolerance() const { return tol_; }
  std::size_t size() const { return count_; }
  void clear();
  void reserve(std::size_t n);

  template <class Pos>
  std::int32_t find(double x, double y, Pos&& pos) const {
    if (count_ == 0) return -1;
    std::int64_t cx0 = cellOf(x - tol_), cx1 = cellOf(x + tol_);
    std::int64_t cy0 = cellOf(y - tol_), cy1 = cellOf(y + tol_);
    std::int32_t best = -1;
    for (std::int64_t cx = cx0; cx <= cx1; ++cx) {
      for (std::int64_t cy = cy0; cy <= cy1; ++cy) {
        std::uint32_t h = hashCell(cx, cy);
        for (std::size_t s = home(h);; s = (s + 1) & mask_) {
          const Slot& slot = slots_[s];
          if (slot.index < 0) break;
          if (slot.hash != h || (best >= 0 && slot.index >= best)) continue;
          const auto& p = pos(slot.index);
          if (std::fabs(p.x - x) <= tol_ && std::fabs(p.y - y) <= tol_) best = slot.index;
        }
      }
    }
    return best;
  }

  // Asks the processor to fetch the slot where find(x, y) most likely starts, so that a caller
  // going through many positions can ask a few ahead and not wait for memory at each one.
  void prefetch(double x, double y) const {
    __builtin_prefetch(&slots_[home(hashCell(cellOf(x), cellOf(y)))]);
  }

  // Adds `index` at pos(index). The caller checks duplicates with find() first.
  template <class Pos>
  void insert(std::int32_t index, Pos&& pos) {
    const auto& p = pos(index);
    place(hashCell(cellOf(p.x), cellOf(p.y)), index);
  }

  // insert() for the indices [first, end), the same table for find() at a fraction of the
  // cost for many: grouped by the top bits of their home slots (a counting sort), the writes
  // of each group fall into a few kilobytes of the table instead of each on a random cache
  // line of all of it.
  template <class Pos>
  void insertMany(std::int32_t first, std::int32_t end, Pos&& pos) {
    if (end <= first) return;
    const auto n = static_cast<std::size_t>(end - first);
    reserve(count_ + n);
    const int bits = std::bit_width(mask_);
    const int shift = bits > 11 ? bits - 11 : 0;
    auto hashAt = [&](std::int32_t i) {
      const auto& p = pos(i);
      return hashCell(cellOf(p.x), cellOf(p.y));
    };
    std::vector<std::size_t> starts((mask_ >> shift) + 2, 0);
    for (std::int32_t i = first; i < end; ++i) ++starts[(home(hashAt(i)) >> shift) + 1];
    for (std::size_t g = 1; g < starts.size(); ++g) starts[g] += starts[g - 1];
    std::vector<Slot> grouped;
    detail::reserveLarge(grouped, n);
    grouped.resize(n);
    for (std::int32_t i = first; i < end; ++i) {
      const std::uint32_t h = hashAt(i);
      grouped[starts[home(h) >> shift]++] = Slot{h, i};
    }
    for (const Slot& s : grouped) place(s.hash, s.index);
  }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::int32_t index = -1;
  };

  std::int64_t cellOf(double v) const { return detail::planCell(v, invCell_); }
  static std::uint32_t hashCell(std::int64_t cx, std::int64_t cy) { return detail::planCellHash(cx, cy); }
  std::size_t home(std::uint32_t h) const { return (h * std::size_t{0x9E3779B1u}) & mask_; }
  void place(std::uint32_t h, std::int32_t index);
  void grow(std::size_t minSlots);

  double tol_;
  double invCell_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::size_t count_ = 0;
};

}  // namespace tin
