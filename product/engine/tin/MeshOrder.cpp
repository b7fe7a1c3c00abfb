// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <utility>

#include "tin/Mesh.h"
#include "tin/HugePages.h"

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

// Applies `order` (new position -> old index). A gather into fresh storage: following the
// permutation's cycles in place reads one element after the other from afar, which a large
// mesh pays for with a cache miss each.
template <class T>
void permute(std::vector<T>& v, const std::vector<std::int32_t>& order) {
  std::vector<T> out;
  detail::reserveLarge(out, order.size());
  for (const std::int32_t from : order) out.push_back(v[static_cast<std::size_t>(from)]);
  v.swap(out);
}

// Fills order with the triangles of keys sorted by `less`, which orders first by the 64-bit
// place. Spreads the keys' positions by the place's top bits into buckets of about a thousand,
// then sorts each bucket in a small buffer while it is close at hand. Needs no second copy of
// the keys, the largest array of a large build at this point.
template <class Less>
void sortedTriangles(const std::vector<std::pair<std::uint64_t, std::int32_t>>& keys, Less less,
                     std::vector<std::int32_t>& order) {
  constexpr int kShift = 52;
  constexpr std::size_t kBuckets = std::size_t{1} << (64 - kShift);
  const std::size_t n = keys.size();
  if (n < 4 * kBuckets) {
    std::vector<std::pair<std::uint64_t, std::int32_t>> all(keys);
    std::sort(all.begin(), all.end(), less);
    for (std::size_t k = 0; k < n; ++k) order[k] = all[k].second;
    return;
  }
  std::vector<std::size_t> start(kBuckets + 1, 0);
  for (const auto& k : keys) ++start[(k.first >> kShift) + 1];
  for (std::size_t b = 1; b <= kBuckets; ++b) start[b] += start[b - 1];
  {
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < n; ++i) order[next[keys[i].first >> kShift]++] = static_cast<std::int32_t>(i);
  }
  std::vector<std::pair<std::uint64_t, std::int32_t>> bucket;
  for (std::size_t b = 0; b < kBuckets; ++b) {
    bucket.clear();
    for (std::size_t k = start[b]; k < start[b + 1]; ++k) bucket.push_back(keys[static_cast<std::size_t>(order[k])]);
    std::sort(bucket.begin(), bucket.end(), less);
    for (std::size_t k = 0; k < bucket.size(); ++k) order[start[b] + k] = bucket[k].second;
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

  std::vector<std::int32_t> order;
  detail::reserveLarge(order, nt);
  order.resize(nt);
  {
    if (keys.size() != nt) {
      const MeshCurve curve = meshCurve(std::span<const Point3>(mesh.vertices));
      keys.resize(nt);
      for (std::size_t t = 0; t < nt; ++t) {
        const auto ti = static_cast<std::int32_t>(t);
        keys[t] = {curve.key(mesh.corner(ti, 0).plan(), mesh.corner(ti, 1).plan(), mesh.corner(ti, 2).plan()), ti};
      }
    }
    sortedTriangles(keys, [&](const auto& a, const auto& b) {
      if (a.first != b.first) return a.first < b.first;
      const Triangle &ta = mesh.triangles[a.second], &tb = mesh.triangles[b.second];
      for (int i = 0; i < 3; ++i)
        if (ta.v[i] != tb.v[i]) return ta.v[i] < tb.v[i];
      return false;
    }, order);
    keys = {};
  }
  permute(mesh.triangles, order);
  permute(mesh.neighbours, order);
  if (bits) permute(mesh.breakLineSides, order);
  if (previous) *previous = order;
  // Old triangle index -> new, reusing the order's storage.
  std::vector<std::int32_t>& renumber = order;
  {
    std::vector<std::int32_t> inverse;
    detail::reserveLarge(inverse, nt);
    inverse.resize(nt);
    for (std::size_t k = 0; k < nt; ++k) inverse[order[k]] = static_cast<std::int32_t>(k);
    renumber.swap(inverse);
  }
  if (!bits) mesh.breakLineSides.assign(nt, 0);

  detail::reserveLarge(mesh.vertexTriangle, mesh.vertices.size());
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
