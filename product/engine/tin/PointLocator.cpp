// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/PointLocator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tin/Delaunay.h"
#include "tin/Predicates.h"

namespace tin {

PointLocator::PointLocator(const Mesh& mesh) : mesh_(mesh) {
  if (mesh.triangles.empty()) return;
  {
    std::vector<std::int32_t> local(mesh.vertices.size(), -1);
    corner_.resize(mesh.triangles.size());
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
      for (int i = 0; i < 3; ++i) {
        std::int32_t& l = local[mesh.triangles[t].v[i]];
        if (l < 0) {
          l = static_cast<std::int32_t>(corners_.size());
          corners_.push_back(mesh.vertices[mesh.triangles[t].v[i]]);
        }
        corner_[t][i] = l;
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

MeshLocation PointLocator::walk(std::int32_t t, const Point2& p, std::uint32_t& seed) const {
  const std::size_t limit = 256 + 4 * mesh_.triangles.size();
  for (std::size_t step = 0; step < limit; ++step) {
    int o[3];
    for (int i = 0; i < 3; ++i) o[i] = orientation(corner(t, (i + 1) % 3).plan(), corner(t, (i + 2) % 3).plan(), p);
    const int beyond = (o[0] < 0) + (o[1] < 0) + (o[2] < 0);
    if (beyond == 0) return classify(t, o);
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
    if (loc.kind != MeshLocation::Kind::Outside) return loc;
  }
  return {};
}

MeshLocation PointLocator::locate(const Point2& p) const {
  if (cells_.empty() || !std::isfinite(p.x) || !std::isfinite(p.y)) return {};
  std::uint32_t seed = 0x9E3779B9u;
  return walk(cells_[static_cast<std::size_t>(hint(p))], p, seed);
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
  // has them.
  std::vector<std::uint64_t> order;
  order.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point2& p = points[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    order.push_back((static_cast<std::uint64_t>(detail::hilbertKey(p.x, p.y, x0_, y0_, x1_, y1_)) << 32) | i);
  }
  std::sort(order.begin(), order.end());
  std::uint32_t seed = 0x9E3779B9u;
  std::int32_t last = -1;
  for (std::uint64_t key : order) {
    const std::size_t i = key & 0xFFFFFFFFu;
    const Point2 p = points[i];
    last = walk(last >= 0 ? last : cells_[static_cast<std::size_t>(hint(p))], p, seed).triangle;
    if (out) out[i] = last;
    if (z && last >= 0) z[i] = planeElevation(corner(last, 0), corner(last, 1), corner(last, 2), p);
  }
}

}  // namespace tin
