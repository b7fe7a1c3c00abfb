// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <bit>
#include <utility>

#include "tin/Mesh.h"
#include "tin/MeshOrder.h"
#include "tin/LargeArrays.h"

namespace tin {

namespace {

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

}  // namespace

namespace detail {

std::size_t renumberAlongCurve(std::vector<std::uint64_t>& place, const std::function<Triangle(std::int32_t)>& corners,
                               CurveCells* cells) {
  const std::size_t all = place.size();
  // Buckets of a few triangles each (a sort of a hundred each cost a large mesh a tenth of its
  // build), up to a million of them.
  const int bits = std::clamp(static_cast<int>(std::bit_width(all)) - 3, 1, 20);
  const int shift = 64 - bits;
  std::vector<std::uint32_t> start;
  reserveLarge(start, (std::size_t{1} << bits) + 1);
  start.assign((std::size_t{1} << bits) + 1, 0);
  std::size_t count = 0;
  for (const std::uint64_t p : place)
    if (p != kNoPlace) {
      ++start[(p >> shift) + 1];
      ++count;
    }
  for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
  std::vector<std::int32_t> grouped;
  reserveLarge(grouped, count);
  grouped.resize(count);
  {
    std::vector<std::uint32_t> next;
    reserveLarge(next, start.size() - 1);
    next.assign(start.begin(), start.end() - 1);
    for (std::size_t t = 0; t < all; ++t)
      if (place[t] != kNoPlace) grouped[next[place[t] >> shift]++] = static_cast<std::int32_t>(t);
  }
  struct Entry {
    std::uint64_t place;
    std::int32_t triangle;
    Triangle corners;  // filled only where places tie
  };
  // The cells by the triangles ordered, so that every road to the same mesh gives the same.
  if (count == 0) cells = nullptr;
  if (cells) prepareCells(*cells, count);
  std::vector<Entry> bucket;
  for (std::size_t b = 0; b + 1 < start.size(); ++b) {
    const std::uint32_t from = start[b], to = start[b + 1];
    bucket.clear();
    // The places lie all over the list: those of a bucket a few ahead are asked for now.
    constexpr std::size_t kAhead = 4;
    if (b + kAhead + 1 < start.size())
      for (std::uint32_t k = start[b + kAhead]; k < start[b + kAhead + 1]; ++k) __builtin_prefetch(&place[grouped[k]]);
    for (std::uint32_t k = from; k < to; ++k) bucket.push_back({place[grouped[k]], grouped[k], {}});
    // A few entries each: an insertion sort.
    for (std::size_t i = 1; i < bucket.size(); ++i) {
      const Entry x = bucket[i];
      std::size_t at = i;
      for (; at > 0 && bucket[at - 1].place > x.place; --at) bucket[at] = bucket[at - 1];
      bucket[at] = x;
    }
    for (std::size_t i = 0; i < bucket.size();) {
      std::size_t j = i + 1;
      while (j < bucket.size() && bucket[j].place == bucket[i].place) ++j;
      if (j - i > 1) {
        for (std::size_t e = i; e < j; ++e) bucket[e].corners = corners(bucket[e].triangle);
        std::sort(bucket.begin() + static_cast<std::ptrdiff_t>(i), bucket.begin() + static_cast<std::ptrdiff_t>(j),
                  [](const Entry& x, const Entry& y) {
                    return std::lexicographical_compare(x.corners.v, x.corners.v + 3, y.corners.v, y.corners.v + 3);
                  });
      }
      i = j;
    }
    if (cells)
      for (std::size_t i = 0; i < bucket.size(); ++i) {
        std::int32_t& first = cells->first[bucket[i].place >> (64 - cells->bits)];
        if (first < 0) first = static_cast<std::int32_t>(from + i);
      }
    for (std::size_t i = 0; i < bucket.size(); ++i) place[static_cast<std::size_t>(bucket[i].triangle)] = from + i;
  }
  if (cells) closeCells(*cells, count);
  return count;
}

void prepareCells(CurveCells& cells, std::size_t triangles) {
  cells.bits = std::clamp(static_cast<int>(std::bit_width(triangles)) - 3, 1, 26);
  reserveLarge(cells.first, (std::size_t{1} << cells.bits) + 1);
  cells.first.assign((std::size_t{1} << cells.bits) + 1, -1);
}

void closeCells(CurveCells& cells, std::size_t triangles) {
  std::vector<std::int32_t>& first = cells.first;
  first.back() = static_cast<std::int32_t>(triangles);
  for (std::size_t c = first.size() - 1; c-- > 0;)
    if (first[c] < 0) first[c] = first[c + 1];
}

CellsInOrder::CellsInOrder(std::span<const Point3> vertices, std::size_t triangleCount) : count_(triangleCount) {
  if (count_ == 0) return;
  cells_.curve = meshCurve(vertices);
  prepareCells(cells_, count_);
}

CurveCells CellsInOrder::finish() {
  if (count_ == 0 || told_ != count_) return {};
  // The last few, with nothing further on to compare with.
  for (std::size_t t = told_ > kSpan ? told_ - kSpan : 0; t < told_; ++t) decide(t, ~std::uint64_t{0});
  // Triangles in no order leave five in six out; each triangle an edit put out of turn, itself
  // and up to two around it.
  if (skipped_ > count_ / 3) return {};
  closeCells(cells_, count_);
  return std::move(cells_);
}

void indexVerticesAndBoundary(Mesh& mesh, std::size_t vertexCount) {
  reserveWithRoom(mesh.vertexTriangle, vertexCount);
  mesh.vertexTriangle.assign(vertexCount, -1);
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
    for (int i = 0; i < 3; ++i) {
      std::int32_t& vt = mesh.vertexTriangle[static_cast<std::size_t>(mesh.triangles[t].v[i])];
      if (vt < 0) vt = static_cast<std::int32_t>(t);
    }
  mesh.boundarySides.clear();
  for (std::size_t t = 0; t < mesh.neighbours.size(); ++t)
    for (int i = 0; i < 3; ++i)
      if (mesh.neighbours[t][i] < 0) mesh.boundarySides.push_back({static_cast<std::int32_t>(t), i});
}

}  // namespace detail

std::uint64_t MeshCurve::key(const Point2& a, const Point2& b, const Point2& c) const {
  return detail::curveKey(*this, a, b, c);
}

std::uint64_t MeshCurve::key(const Point2& p) const { return detail::curveKey(*this, p); }

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

  // Old triangle index -> new.
  std::vector<std::uint64_t> renumber;
  detail::reserveLarge(renumber, nt);
  {
    mesh.curveCells = {};
    const MeshCurve& curve = mesh.curveCells.curve = meshCurve(std::span<const Point3>(mesh.vertices));
    for (std::size_t t = 0; t < nt; ++t) {
      const auto ti = static_cast<std::int32_t>(t);
      renumber.push_back(curve.key(mesh.corner(ti, 0).plan(), mesh.corner(ti, 1).plan(), mesh.corner(ti, 2).plan()));
    }
    detail::renumberAlongCurve(
        renumber, [&](std::int32_t t) { return mesh.triangles[static_cast<std::size_t>(t)]; }, &mesh.curveCells);
  }
  std::vector<std::int32_t> order;
  detail::reserveLarge(order, nt);
  order.resize(nt);
  for (std::size_t t = 0; t < nt; ++t) order[renumber[t]] = static_cast<std::int32_t>(t);
  permute(mesh.triangles, order);
  permute(mesh.neighbours, order);
  if (bits) permute(mesh.breakLineSides, order);
  if (previous) *previous = std::move(order);
  else detail::release(order);
  if (!bits) mesh.breakLineSides.assign(nt, 0);

  for (auto& nb : mesh.neighbours)
    for (std::int32_t& n : nb)
      if (n >= 0) n = static_cast<std::int32_t>(renumber[static_cast<std::size_t>(n)]);
  detail::release(renumber);
  detail::indexVerticesAndBoundary(mesh, mesh.vertices.size());
}

}  // namespace tin
