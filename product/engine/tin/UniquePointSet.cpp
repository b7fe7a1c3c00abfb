// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/UniquePointSet.h"

#include <algorithm>
#include <cmath>

#include "tin/LargeArrays.h"
#include "tin/RadixSort.h"
namespace tin {

namespace {

bool taken(const Point3& p) { return isPlanCoordinate(p.x) && isPlanCoordinate(p.y) && isCoordinate(p.z); }

// Batches below this many points are looked up one by one: sorting them would cost more.
constexpr std::size_t kSmallBatch = 256;

// Cells of the batch sort, in tolerances. Wide enough that a point's neighbourhood rarely
// reaches into a second cell, narrow enough that distinct survey shots (centimetres apart at
// the default micro-unit tolerance) rarely share one.
constexpr double kBatchCell = 1024.0;

constexpr std::uint64_t kLow32 = 0xFFFFFFFFull;

}  // namespace

UniquePointSet::UniquePointSet(double tolerance) : grid_(tolerance) {}

UniquePointSet::Outcome UniquePointSet::add(const Point3& p) {
  if (!taken(p)) return Outcome::Refused;
  settle();
  index();
  return addSettled(p);
}

UniquePointSet::Outcome UniquePointSet::addSettled(const Point3& p) const {
  auto pos = [this](std::int32_t i) -> const Point3& { return points_[i]; };
  std::int32_t found = grid_.find(p.x, p.y, pos);
  if (found >= 0) {
    points_[found].z = p.z;
    return Outcome::Replaced;
  }
  if (points_.size() == points_.capacity()) detail::reserveLarge(points_, std::max<std::size_t>(16, 2 * points_.size()));
  points_.push_back(p);
  grid_.insert(static_cast<std::int32_t>(points_.size() - 1), pos);
  settled_ = indexed_ = points_.size();
  return Outcome::Added;
}

void UniquePointSet::add(std::span<const Point3> points) {
  // Grown by doubling, so that a caller adding a file in blocks does not copy the set per block.
  const std::size_t needed = points_.size() + points.size();
  if (needed > points_.capacity()) detail::reserveLarge(points_, std::max(needed, 2 * points_.capacity()));
  for (const Point3& p : points)
    if (taken(p)) points_.push_back(p);
}

void UniquePointSet::settle() const {
  const std::size_t waiting = points_.size() - settled_;
  if (waiting == 0) return;
  // A few points into a large set: the table pays for itself (and is built once).
  if (waiting < kSmallBatch || 8 * waiting < settled_) settleOneByOne();
  else settleInBatch();
  settled_ = points_.size();
}

void UniquePointSet::settleOneByOne() const {
  std::vector<Point3> waiting(points_.begin() + static_cast<std::ptrdiff_t>(settled_), points_.end());
  points_.resize(settled_);
  index();
  // Each point looks into a random place of the table; asking for the place a few points ahead
  // lets the memory come while the points before it are added.
  constexpr std::size_t kAhead = 8;
  const std::size_t n = waiting.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i + kAhead < n) grid_.prefetch(waiting[i + kAhead].x, waiting[i + kAhead].y);
    addSettled(waiting[i]);
  }
}

// Two points that coincide lie in one cell or in neighbouring cells of the sort, and the
// neighbourhood of each (two tolerances each way, a margin over the one tolerance of the rule,
// so rounding cannot hide a neighbour) reaches the other's cell. A point alone in its cell whose
// neighbourhood reaches no other occupied cell therefore coincides with nothing: it is kept and
// changes nothing for the others. The rest ("crowded", with cells told apart by a hash, so a
// clash only adds to them) go through the table one by one in their order, as add() takes them.
void UniquePointSet::settleInBatch() const {
  const std::size_t n = points_.size();
  const double tol = grid_.tolerance();
  const double invCell = 1.0 / (kBatchCell * tol);
  std::vector<std::uint8_t> crowded;
  detail::reserveLarge(crowded, n);
  crowded.assign(n, 0);
  {
    // Hash of each point's cell above its index, sorted by the hash.
    std::vector<std::uint64_t> cells, scratch;
    detail::reserveLarge(cells, n);
    for (std::size_t i = 0; i < n; ++i) {
      const Point3& p = points_[i];
      const std::uint32_t h = detail::planCellHash(detail::planCell(p.x, invCell), detail::planCell(p.y, invCell));
      cells.push_back(std::uint64_t{h} << 32 | i);
    }
    auto hashOf = [](std::uint64_t e) { return e >> 32; };
    detail::radixSort(cells, hashOf, 32, scratch);
    for (std::size_t a = 0, b; a < n; a = b) {
      for (b = a + 1; b < n && hashOf(cells[b]) == hashOf(cells[a]);) ++b;
      if (b - a > 1)
        for (std::size_t k = a; k < b; ++k) crowded[cells[k] & kLow32] = 1;
    }
    // The other cells each neighbourhood reaches, found among the occupied ones by a merge.
    std::vector<std::uint64_t> reached;
    for (std::size_t i = 0; i < n; ++i) {
      const Point3& p = points_[i];
      const std::int64_t x0 = detail::planCell(p.x - 2 * tol, invCell), x1 = detail::planCell(p.x + 2 * tol, invCell);
      const std::int64_t y0 = detail::planCell(p.y - 2 * tol, invCell), y1 = detail::planCell(p.y + 2 * tol, invCell);
      if (x0 == x1 && y0 == y1) continue;  // nearly every point: its own cell is not needed
      const std::int64_t cx = detail::planCell(p.x, invCell), cy = detail::planCell(p.y, invCell);
      for (std::int64_t x = x0; x <= x1; ++x)
        for (std::int64_t y = y0; y <= y1; ++y)
          if (x != cx || y != cy) reached.push_back(std::uint64_t{detail::planCellHash(x, y)} << 32 | i);
    }
    detail::radixSort(reached, hashOf, 32, scratch);
    std::size_t k = 0;
    for (std::uint64_t r : reached) {
      while (k < n && hashOf(cells[k]) < hashOf(r)) ++k;
      if (k < n && hashOf(cells[k]) == hashOf(r)) crowded[r & kLow32] = 1;
    }
  }
  // The crowded points in their order; the settled ones among them are in the set already.
  constexpr std::uint8_t kGone = 2;
  PlanGrid near(tol);
  near.reserve(static_cast<std::size_t>(std::count(crowded.begin(), crowded.end(), std::uint8_t{1})));
  auto pos = [this](std::int32_t i) -> const Point3& { return points_[i]; };
  for (std::size_t i = 0; i < n; ++i) {
    if (!crowded[i]) continue;
    const auto index = static_cast<std::int32_t>(i);
    const std::int32_t found = i < settled_ ? -1 : near.find(points_[i].x, points_[i].y, pos);
    if (found >= 0) {
      points_[found].z = points_[i].z;
      crowded[i] = kGone;
    } else {
      near.insert(index, pos);
    }
  }
  // Moved down only from the first point gone on (nearly always none is).
  std::size_t kept = settled_;
  while (kept < n && crowded[kept] != kGone) ++kept;
  for (std::size_t i = kept; i < n; ++i)
    if (crowded[i] != kGone) points_[kept++] = points_[i];
  points_.resize(kept);
}

void UniquePointSet::index() const {
  if (indexed_ == settled_) return;
  grid_.reserve(std::max(settled_, room_));
  auto pos = [this](std::int32_t i) -> const Point3& { return points_[i]; };
  for (std::size_t i = indexed_; i < settled_; ++i) grid_.insert(static_cast<std::int32_t>(i), pos);
  indexed_ = settled_;
}

std::int32_t UniquePointSet::find(double x, double y) const {
  settle();
  index();
  return grid_.find(x, y, [this](std::int32_t i) -> const Point3& { return points_[i]; });
}

void UniquePointSet::reserve(std::size_t n) {
  detail::reserveLarge(points_, n);
  room_ = std::max(room_, n);
}

std::vector<Point3> UniquePointSet::takePoints() {
  settle();
  std::vector<Point3> out;
  out.swap(points_);
  clear();
  return out;
}

void UniquePointSet::clear() {
  points_.clear();
  grid_.clear();
  settled_ = indexed_ = 0;
  room_ = 0;
}

}  // namespace tin
