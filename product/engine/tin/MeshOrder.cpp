// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <utility>

#include "tin/Mesh.h"

namespace tin {

namespace {

std::uint64_t spread(std::uint64_t v) {
  v = (v | (v << 16)) & 0x0000FFFF0000FFFFull;
  v = (v | (v << 8)) & 0x00FF00FF00FF00FFull;
  v = (v | (v << 4)) & 0x0F0F0F0F0F0F0F0Full;
  v = (v | (v << 2)) & 0x3333333333333333ull;
  return (v | (v << 1)) & 0x5555555555555555ull;
}

std::uint64_t quantize(double v) { return static_cast<std::uint64_t>(std::clamp(v, 0.0, 4294967295.0)); }

// Applies `order` (new position -> old index) in place, cycle by cycle, so that a large mesh
// needs no second copy of its arrays.
template <class T>
void permute(std::vector<T>& v, const std::vector<std::int32_t>& order, std::vector<bool>& done) {
  done.assign(order.size(), false);
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (done[start]) continue;
    T first = v[start];
    std::size_t k = start;
    for (;;) {
      done[k] = true;
      const auto from = static_cast<std::size_t>(order[k]);
      if (from == start) break;
      v[k] = v[from];
      k = from;
    }
    v[k] = first;
  }
}

}  // namespace

void orderMesh(Mesh& mesh, std::vector<std::int32_t>* previous) {
  const std::size_t nt = mesh.triangles.size();
  const bool bits = mesh.breakLineSides.size() == nt;
  if (!bits) mesh.breakLineSides.clear();

  // Start every triangle at its smallest index, turning its neighbours and flags with it.
  for (std::size_t t = 0; t < nt; ++t) {
    Triangle& tri = mesh.triangles[t];
    const int r = tri.v[0] < tri.v[1] ? (tri.v[0] < tri.v[2] ? 0 : 2) : (tri.v[1] < tri.v[2] ? 1 : 2);
    if (r == 0) continue;
    const Triangle was = tri;
    const auto nb = mesh.neighbours[t];
    std::uint8_t flags = 0;
    for (int i = 0; i < 3; ++i) {
      tri.v[i] = was.v[(i + r) % 3];
      mesh.neighbours[t][i] = nb[(i + r) % 3];
      if (bits && (mesh.breakLineSides[t] & (1u << ((i + r) % 3)))) flags |= static_cast<std::uint8_t>(1u << i);
    }
    if (bits) mesh.breakLineSides[t] = flags;
  }

  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
    const Point3& p = mesh.vertices[v];
    x0 = v == 0 ? p.x : std::min(x0, p.x);
    y0 = v == 0 ? p.y : std::min(y0, p.y);
    x1 = v == 0 ? p.x : std::max(x1, p.x);
    y1 = v == 0 ? p.y : std::max(y1, p.y);
  }
  const double sx = 4294967295.0 / std::max(x1 - x0, 1e-300), sy = 4294967295.0 / std::max(y1 - y0, 1e-300);
  std::vector<std::int32_t> order(nt);
  {
    std::vector<std::pair<std::uint64_t, std::int32_t>> keys(nt);
    for (std::size_t t = 0; t < nt; ++t) {
      double cx = 0.0, cy = 0.0;
      for (int i = 0; i < 3; ++i) {
        cx += mesh.corner(static_cast<std::int32_t>(t), i).x - x0;
        cy += mesh.corner(static_cast<std::int32_t>(t), i).y - y0;
      }
      keys[t] = {spread(quantize(cx / 3.0 * sx)) | (spread(quantize(cy / 3.0 * sy)) << 1), static_cast<std::int32_t>(t)};
    }
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
      if (a.first != b.first) return a.first < b.first;
      const Triangle &ta = mesh.triangles[a.second], &tb = mesh.triangles[b.second];
      for (int i = 0; i < 3; ++i)
        if (ta.v[i] != tb.v[i]) return ta.v[i] < tb.v[i];
      return false;
    });
    for (std::size_t k = 0; k < nt; ++k) order[k] = keys[k].second;
  }
  std::vector<bool> done;
  permute(mesh.triangles, order, done);
  permute(mesh.neighbours, order, done);
  if (bits) permute(mesh.breakLineSides, order, done);
  if (previous) *previous = order;
  // Old triangle index -> new, reusing the order's storage.
  std::vector<std::int32_t>& renumber = order;
  {
    std::vector<std::int32_t> inverse(nt);
    for (std::size_t k = 0; k < nt; ++k) inverse[order[k]] = static_cast<std::int32_t>(k);
    renumber.swap(inverse);
  }
  if (!bits) mesh.breakLineSides.assign(nt, 0);

  mesh.vertexTriangle.assign(mesh.vertices.size(), -1);
  mesh.boundarySides.clear();
  for (std::size_t t = 0; t < nt; ++t)
    for (int i = 0; i < 3; ++i) {
      std::int32_t& n = mesh.neighbours[t][i];
      if (n >= 0) n = renumber[n];
      else mesh.boundarySides.push_back({static_cast<std::int32_t>(t), i});
      std::int32_t& vt = mesh.vertexTriangle[mesh.triangles[t].v[i]];
      if (vt < 0) vt = static_cast<std::int32_t>(t);
    }
}

}  // namespace tin
