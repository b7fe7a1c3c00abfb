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

std::uint64_t MeshCurve::key(const Point2& a, const Point2& b, const Point2& c) const {
  const double cx = (a.x - x0) + (b.x - x0) + (c.x - x0);
  const double cy = (a.y - y0) + (b.y - y0) + (c.y - y0);
  return spread(quantize(cx / 3.0 * sx)) | (spread(quantize(cy / 3.0 * sy)) << 1);
}

void orderMesh(Mesh& mesh, std::vector<std::int32_t>* previous, std::vector<std::pair<std::uint64_t, std::int32_t>> keys) {
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

  std::vector<std::int32_t> order(nt);
  {
    if (keys.size() != nt) {
      const MeshCurve curve = meshCurve(std::span<const Point3>(mesh.vertices));
      keys.resize(nt);
      for (std::size_t t = 0; t < nt; ++t) {
        const auto ti = static_cast<std::int32_t>(t);
        keys[t] = {curve.key(mesh.corner(ti, 0).plan(), mesh.corner(ti, 1).plan(), mesh.corner(ti, 2).plan()), ti};
      }
    }
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
      if (a.first != b.first) return a.first < b.first;
      const Triangle &ta = mesh.triangles[a.second], &tb = mesh.triangles[b.second];
      for (int i = 0; i < 3; ++i)
        if (ta.v[i] != tb.v[i]) return ta.v[i] < tb.v[i];
      return false;
    });
    for (std::size_t k = 0; k < nt; ++k) order[k] = keys[k].second;
    keys = {};
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
