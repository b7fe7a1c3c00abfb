// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/PointLocator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tin/Delaunay.h"
#include "tin/HugePages.h"
#include "tin/Predicates.h"
#include "tin/RadixSort.h"

namespace tin {

namespace {
constexpr std::uint32_t kSeed = 0x9E3779B9u;
}  // namespace

PointLocator::PointLocator(const Mesh& mesh) : mesh_(mesh) {
  if (mesh.triangles.empty()) return;
  {
    // The points are read where the mesh keeps them, often scattered: each is asked for a few
    // triangles ahead, so that the reads overlap instead of waiting one after the other.
    constexpr std::size_t kAhead = 8;
    const std::size_t nt = mesh.triangles.size();
    std::vector<std::int32_t> local;
    detail::reserveLarge(local, mesh.vertices.size());
    local.assign(mesh.vertices.size(), -1);
    detail::reserveLarge(corner_, nt);
    detail::reserveLarge(corners_, mesh.vertices.size());
    for (std::size_t t = 0; t < nt; ++t) {
      if (t + kAhead < nt) {
        for (const std::int32_t v : mesh.triangles[t + kAhead].v) {
          __builtin_prefetch(&local[static_cast<std::size_t>(v)]);
          __builtin_prefetch(&mesh.vertices[static_cast<std::size_t>(v)]);
        }
      }
      std::array<std::int32_t, 3> ids;
      for (int i = 0; i < 3; ++i) {
        const std::int32_t v = mesh.triangles[t].v[i];
        std::int32_t& l = local[static_cast<std::size_t>(v)];
        if (l < 0) {
          l = static_cast<std::int32_t>(corners_.size());
          corners_.push_back(mesh.vertices[static_cast<std::size_t>(v)]);
        }
        ids[i] = l;
      }
      corner_.push_back(ids);
    }
  }
  bool first = true;
  for (const Point3& p : corners_) {
    x0_ = first ? p.x : std::min(x0_, p.x);
    y0_ = first ? p.y : std::min(y0_, p.y);
    x1_ = first ? p.x : std::max(x1_, p.x);
    y1_ = first ? p.y : std::max(y1_, p.y);
    first = false;
  }
  // About four triangles a cell: a start is then a step or two from any point.
  const double w = x1_ - x0_, h = y1_ - y0_;
  const double cells = std::max(1.0, static_cast<double>(mesh.triangles.size()) / 4.0);
  const double side = std::max({std::sqrt(std::max(w * h, 1e-300) / cells), std::max(w, h) / 8192.0, 1e-300});
  inv_ = 1.0 / side;
  nx_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(w * inv_) + 1, 1, 8192);
  ny_ = std::clamp<std::int64_t>(static_cast<std::int64_t>(h * inv_) + 1, 1, 8192);
  cells_.assign(static_cast<std::size_t>(nx_ * ny_), -1);
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
    const auto ti = static_cast<std::int32_t>(t);
    const Point2 c{(corner(ti, 0).x + corner(ti, 1).x + corner(ti, 2).x) / 3.0,
                   (corner(ti, 0).y + corner(ti, 1).y + corner(ti, 2).y) / 3.0};
    std::int32_t& cell = cells_[static_cast<std::size_t>(hint(c))];
    if (cell < 0) cell = ti;
  }
  // Empty cells borrow the nearest filled one in storage order.
  std::int32_t carry = -1;
  for (auto& c : cells_) (c < 0) ? void(c = carry) : void(carry = c);
  carry = -1;
  for (auto it = cells_.rbegin(); it != cells_.rend(); ++it) (*it < 0) ? void(*it = carry) : void(carry = *it);
}

std::int32_t PointLocator::hint(const Point2& p) const {
  auto index = [&](double v, double v0, std::int64_t n) {
    const double k = std::floor((v - v0) * inv_);
    return static_cast<std::int64_t>(std::clamp(k, 0.0, static_cast<double>(n - 1)));
  };
  return static_cast<std::int32_t>(index(p.y, y0_, ny_) * nx_ + index(p.x, x0_, nx_));
}

MeshLocation PointLocator::classify(std::int32_t t, const Point2& p) const {
  int o[3];
  for (int i = 0; i < 3; ++i) o[i] = orientation(corner(t, (i + 1) % 3).plan(), corner(t, (i + 2) % 3).plan(), p);
  return classify(t, o);
}

MeshLocation PointLocator::classify(std::int32_t t, const int o[3]) {
  if (o[0] < 0 || o[1] < 0 || o[2] < 0) return {};
  const int zeros = (o[0] == 0) + (o[1] == 0) + (o[2] == 0);
  if (zeros == 0) return {MeshLocation::Kind::Face, t, -1};
  if (zeros == 1) return {MeshLocation::Kind::Edge, t, o[0] == 0 ? 0 : o[1] == 0 ? 1 : 2};
  // Two sides through p meet at the corner opposite the third.
  return {MeshLocation::Kind::Vertex, t, o[0] != 0 ? 0 : o[1] != 0 ? 1 : 2};
}

MeshLocation PointLocator::walk(std::int32_t t, const Point2& p, std::uint32_t& seed, std::int32_t& last) const {
  const std::size_t limit = 256 + 4 * mesh_.triangles.size();
  for (std::size_t step = 0; step < limit; ++step) {
    last = t;
    int o[3];
    for (int i = 0; i < 3; ++i) o[i] = orientation(corner(t, (i + 1) % 3).plan(), corner(t, (i + 2) % 3).plan(), p);
    const int beyond = (o[0] < 0) + (o[1] < 0) + (o[2] < 0);
    if (beyond == 0) return canonicalLocation(mesh_, classify(t, o));
    int exit = o[0] < 0 ? 0 : o[1] < 0 ? 1 : 2;
    if (beyond > 1) {
      // Which of the two sides to leave by is drawn at random, which keeps the walk from
      // circling on a triangulation that is not Delaunay.
      seed ^= seed << 13;
      seed ^= seed >> 17;
      seed ^= seed << 5;
      if (seed & 1u) exit = o[2] < 0 ? 2 : 1;
    }
    const std::int32_t next = mesh_.neighbours[t][exit];
    if (next < 0) return {};  // beyond a side of the convex hull
    t = next;
  }
  return scan(p);
}

MeshLocation PointLocator::scan(const Point2& p) const {
  for (std::size_t t = 0; t < mesh_.triangles.size(); ++t) {
    const MeshLocation loc = classify(static_cast<std::int32_t>(t), p);
    if (loc.kind != MeshLocation::Kind::Outside) return canonicalLocation(mesh_, loc);
  }
  return {};
}

MeshLocation PointLocator::locate(const Point2& p) const {
  if (cells_.empty() || !std::isfinite(p.x) || !std::isfinite(p.y)) return {};
  std::uint32_t seed = kSeed;
  std::int32_t last = -1;
  return walk(cells_[static_cast<std::size_t>(hint(p))], p, seed, last);
}

void PointLocator::trianglesAt(std::span<const Point2> points, std::vector<std::int32_t>& out) const {
  out.assign(points.size(), -1);
  visit(points, out.data(), nullptr);
}

void PointLocator::elevationsAt(std::span<const Point2> points, std::vector<double>& z) const {
  z.assign(points.size(), std::numeric_limits<double>::quiet_NaN());
  visit(points, nullptr, z.data());
}

void PointLocator::visit(std::span<const Point2> points, std::int32_t* out, double* z) const {
  if (cells_.empty()) return;
  // Only the keys are sorted; the points are read, and the answers written, where the caller
  // has them, each asked for a few queries ahead.
  std::vector<std::uint64_t> order;
  detail::reserveLarge(order, points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point2& p = points[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    order.push_back((static_cast<std::uint64_t>(detail::hilbertKey(p.x, p.y, x0_, y0_, x1_, y1_)) << 32) | i);
  }
  {
    // The low half (the index) already increases: a stable sort on the high half is enough.
    std::vector<std::uint64_t> scratch;
    detail::radixSort(order, [](std::uint64_t k) { return k >> 32; }, 32, scratch);
  }
  // Each walk starts where the one before ended: along the curve the next point is a step or
  // two away, wherever the points cluster, and what the walks read stays close at hand.
  std::int32_t from = -1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k + 8 < order.size()) __builtin_prefetch(&points[order[k + 8] & 0xFFFFFFFFu]);
    const std::size_t i = order[k] & 0xFFFFFFFFu;
    const Point2 p = points[i];
    std::uint32_t seed = kSeed;
    std::int32_t last = -1;
    const std::int32_t t = walk(from >= 0 ? from : cells_[static_cast<std::size_t>(hint(p))], p, seed, last).triangle;
    from = t >= 0 ? t : last;
    if (out) out[i] = t;
    if (z && t >= 0) z[i] = planeElevation(corner(t, 0), corner(t, 1), corner(t, 2), p);
  }
}

}  // namespace tin
