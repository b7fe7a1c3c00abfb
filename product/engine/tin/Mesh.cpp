// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/Mesh.h"

#include <algorithm>
#include <utility>

#include "tin/LargeArrays.h"
#include "tin/Polygon.h"

namespace tin {

namespace {

// Links the triangles across their shared sides, and names each corner's first triangle. A side from corner a to corner b is met once
// each way, by the two triangles that share it; the sides that run from a lower to a higher
// corner are put into buckets by their lower corner, and each side that runs the other way
// finds its twin in the bucket of its end. The corners are numbered in the order the
// triangles use them, which keeps the buckets' writes close together (point numbers follow
// the survey, often scattered, and writing by them waits on memory at every side), and only
// half the sides are kept, as one number each: a load's working memory is pages the system
// must clear first, and they cost more than the linking.
void linkSides(Mesh& mesh) {
  const std::size_t nt = mesh.triangles.size();
  std::vector<Triangle> corners;
  std::int32_t used = 0;
  {
    // Each corner's number and first triangle side by side: one scattered read a corner, not
    // two (the first triangles go to the mesh in point order afterwards, a plain copy).
    struct Seen {
      std::int32_t local, first;
    };
    std::vector<Seen> seen;
    detail::reserveLarge(seen, mesh.vertices.size());
    seen.assign(mesh.vertices.size(), Seen{-1, -1});
    detail::reserveLarge(corners, nt);
    constexpr std::size_t kAhead = 8;
    for (std::size_t t = 0; t < nt; ++t) {
      // Asked for a few triangles ahead, so that the scattered reads overlap.
      if (t + kAhead < nt)
        for (const std::int32_t v : mesh.triangles[t + kAhead].v) __builtin_prefetch(&seen[static_cast<std::size_t>(v)]);
      Triangle c;
      for (int i = 0; i < 3; ++i) {
        Seen& s = seen[static_cast<std::size_t>(mesh.triangles[t].v[i])];
        if (s.local < 0) {
          // A corner's first triangle is also the one the mesh names for it.
          s.local = used++;
          s.first = static_cast<std::int32_t>(t);
        }
        c.v[i] = s.local;
      }
      corners.push_back(c);
    }
    for (std::size_t v = 0; v < seen.size(); ++v) mesh.vertexTriangle[v] = seen[v].first;
  }
  // Bucket k: the sides from corner k to a higher one, each as its far corner and 3 * triangle +
  // side (the far corner kept here spares the lookup a scattered read of the triangle's).
  std::vector<std::int32_t> start;
  detail::reserveLarge(start, static_cast<std::size_t>(used) + 1);
  start.assign(static_cast<std::size_t>(used) + 1, 0);
  for (const Triangle& t : corners)
    for (int i = 0; i < 3; ++i)
      if (t.v[(i + 1) % 3] < t.v[(i + 2) % 3]) ++start[static_cast<std::size_t>(t.v[(i + 1) % 3]) + 1];
  for (std::size_t k = 0; k < static_cast<std::size_t>(used); ++k) start[k + 1] += start[k];
  struct Up {
    std::int32_t to, side;
  };
  std::vector<Up> up;
  detail::reserveLarge(up, static_cast<std::size_t>(start.back()));
  up.resize(static_cast<std::size_t>(start.back()));
  {
    std::vector<std::int32_t> fill;
    detail::reserveLarge(fill, start.size() - 1);
    fill.assign(start.begin(), start.end() - 1);
    for (std::size_t t = 0; t < nt; ++t)
      for (int i = 0; i < 3; ++i) {
        const std::int32_t a = corners[t].v[(i + 1) % 3], b = corners[t].v[(i + 2) % 3];
        if (a < b) up[static_cast<std::size_t>(fill[static_cast<std::size_t>(a)]++)] = {b, static_cast<std::int32_t>(3 * t) + i};
      }
  }
  for (std::size_t t = 0; t < nt; ++t)
    for (int i = 0; i < 3; ++i) {
      const std::int32_t a = corners[t].v[(i + 1) % 3], b = corners[t].v[(i + 2) % 3];
      if (a < b) continue;
      // The twin runs from b to a; a side met more than twice (no triangulation) links its
      // first twin only, and the checks after the load find the rest.
      for (std::int32_t k = start[static_cast<std::size_t>(b)]; k < start[static_cast<std::size_t>(b) + 1]; ++k) {
        const Up& u = up[static_cast<std::size_t>(k)];
        if (u.to != a) continue;
        const std::int32_t ut = u.side / 3, ui = u.side % 3;
        if (mesh.neighbours[static_cast<std::size_t>(ut)][ui] >= 0) continue;
        mesh.neighbours[t][i] = ut;
        mesh.neighbours[static_cast<std::size_t>(ut)][ui] = static_cast<std::int32_t>(t);
        break;
      }
    }
}

// What the links imply: the sides without a neighbour, in the order of their triangles.
void findBoundary(Mesh& mesh) {
  const std::size_t nt = mesh.triangles.size();
  mesh.boundarySides.clear();
  for (std::size_t t = 0; t < nt; ++t)
    for (int i = 0; i < 3; ++i)
      if (mesh.neighbours[t][i] < 0)
        mesh.boundarySides.push_back({static_cast<std::int32_t>(t), static_cast<std::int32_t>(i)});
}

// Room for the edits to come in the arrays the links make.
void prepareLinks(Mesh& mesh) {
  const std::size_t nt = mesh.triangles.size();
  detail::reserveWithRoom(mesh.vertexTriangle, mesh.vertices.size());
  mesh.vertexTriangle.assign(mesh.vertices.size(), -1);
  if (mesh.breakLineSides.size() != nt) {
    detail::reserveWithRoom(mesh.breakLineSides, nt);
    mesh.breakLineSides.assign(nt, 0);
  }
}

}  // namespace

void linkMesh(Mesh& mesh) {
  const std::size_t nt = mesh.triangles.size();
  detail::reserveWithRoom(mesh.neighbours, nt);
  mesh.neighbours.assign(nt, {-1, -1, -1});
  prepareLinks(mesh);
  linkSides(mesh);
  findBoundary(mesh);
}

void completeLinks(Mesh& mesh) {
  prepareLinks(mesh);
  // Each corner's first triangle, as linkMesh() names it; asked for a few triangles ahead, as
  // the corners lie where the survey put them.
  const std::size_t nt = mesh.triangles.size();
  constexpr std::size_t kAhead = 8;
  for (std::size_t t = 0; t < nt; ++t) {
    if (t + kAhead < nt)
      for (const std::int32_t v : mesh.triangles[t + kAhead].v)
        __builtin_prefetch(&mesh.vertexTriangle[static_cast<std::size_t>(v)]);
    for (const std::int32_t v : mesh.triangles[t].v) {
      std::int32_t& first = mesh.vertexTriangle[static_cast<std::size_t>(v)];
      if (first < 0) first = static_cast<std::int32_t>(t);
    }
  }
  findBoundary(mesh);
}

std::vector<Edge> meshEdges(const Mesh& mesh) {
  // In the order of the first triangle that has each edge, so the order follows the triangles'.
  std::vector<Edge> edges;
  edges.reserve(mesh.triangles.size() * 3 / 2 + mesh.boundarySides.size() / 2 + 1);
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
    for (int i = 0; i < 3; ++i) {
      const std::int32_t n = mesh.neighbours[t][i];
      if (n >= 0 && n < static_cast<std::int32_t>(t)) continue;
      const std::int32_t a = mesh.triangles[t].v[(i + 1) % 3], b = mesh.triangles[t].v[(i + 2) % 3];
      edges.push_back({std::min(a, b), std::max(a, b)});
    }
  return edges;
}

std::vector<std::vector<Point3>> boundaryRings(const Mesh& mesh) {
  std::vector<std::vector<Point3>> rings;
  std::vector<std::uint8_t> seen(mesh.triangles.size(), 0);
  for (const TriangleSide& start : mesh.boundarySides) {
    if (seen[start.triangle] & (1u << start.side)) continue;
    std::vector<Point3> ring;
    TriangleSide cur = start;
    do {
      seen[cur.triangle] |= static_cast<std::uint8_t>(1u << cur.side);
      const Triangle& tri = mesh.triangles[cur.triangle];
      ring.push_back(mesh.vertices[tri.v[(cur.side + 1) % 3]]);
      // Turn around the head of this side, through the surface, to the next side that has no
      // neighbour: that is the next side of the ring.
      const std::int32_t head = tri.v[(cur.side + 2) % 3];
      std::int32_t t = cur.triangle;
      for (;;) {
        const Triangle& tt = mesh.triangles[t];
        int k = tt.v[0] == head ? 0 : tt.v[1] == head ? 1 : 2;
        int side = (k + 2) % 3;
        std::int32_t n = mesh.neighbours[t][side];
        if (n < 0) {
          cur = {t, side};
          break;
        }
        t = n;
      }
    } while (!(cur.triangle == start.triangle && cur.side == start.side));
    rings.push_back(std::move(ring));
  }
  std::stable_sort(rings.begin(), rings.end(), [](const auto& a, const auto& b) {
    return std::abs(signedArea(a)) > std::abs(signedArea(b));
  });
  return rings;
}

double signedArea(std::span<const Point3> ring) {
  if (ring.size() < 3) return 0.0;
  // Relative to the first point, which keeps digits at survey coordinates.
  const Point3& o = ring[0];
  double twice = 0.0;
  for (std::size_t i = 1; i + 1 < ring.size(); ++i)
    twice += (ring[i].x - o.x) * (ring[i + 1].y - o.y) - (ring[i + 1].x - o.x) * (ring[i].y - o.y);
  return 0.5 * twice;
}

void trianglesAround(const Mesh& mesh, std::int32_t v, std::vector<std::int32_t>& out) {
  out.clear();
  const std::int32_t first = mesh.vertexTriangle[v];
  if (first < 0) return;
  auto indexOf = [&](std::int32_t t) {
    const Triangle& tri = mesh.triangles[t];
    return tri.v[0] == v ? 0 : tri.v[1] == v ? 1 : 2;
  };
  // Counter-clockwise across the side from v to its successor, then, if the fan is open,
  // clockwise from the first triangle.
  std::int32_t t = first;
  do {
    out.push_back(t);
    t = mesh.neighbours[t][(indexOf(t) + 2) % 3];
  } while (t >= 0 && t != first);
  if (t == first) return;
  t = mesh.neighbours[first][(indexOf(first) + 1) % 3];
  while (t >= 0) {
    out.push_back(t);
    t = mesh.neighbours[t][(indexOf(t) + 1) % 3];
  }
}

MeshLocation canonicalLocation(const Mesh& mesh, const MeshLocation& at) {
  auto indexOf = [&](std::int32_t t, std::int32_t v) {
    const Triangle& tri = mesh.triangles[t];
    return tri.v[0] == v ? 0 : tri.v[1] == v ? 1 : 2;
  };
  if (at.kind == MeshLocation::Kind::Edge) {
    const std::int32_t n = mesh.neighbours[at.triangle][at.index];
    if (n < 0 || n > at.triangle) return at;
    const auto& back = mesh.neighbours[n];
    return {at.kind, n, back[0] == at.triangle ? 0 : back[1] == at.triangle ? 1 : 2};
  }
  if (at.kind != MeshLocation::Kind::Vertex) return at;
  const std::int32_t v = mesh.triangles[at.triangle].v[at.index];
  std::vector<std::int32_t> around;
  trianglesAround(mesh, v, around);
  const std::int32_t best = std::min(at.triangle, around.empty() ? at.triangle : *std::min_element(around.begin(), around.end()));
  return {at.kind, best, indexOf(best, v)};
}

namespace {

struct Box {
  double minX, minY, maxX, maxY;
  bool contains(const Point2& p) const {
    return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
  }
};

Box boxOf(std::span<const Point2> polygon) {
  Box b{polygon[0].x, polygon[0].y, polygon[0].x, polygon[0].y};
  for (const Point2& p : polygon) {
    b.minX = std::min(b.minX, p.x);
    b.minY = std::min(b.minY, p.y);
    b.maxX = std::max(b.maxX, p.x);
    b.maxY = std::max(b.maxY, p.y);
  }
  return b;
}

}  // namespace

std::vector<std::int32_t> trianglesInPolygon(const Mesh& mesh, std::span<const Point2> polygon) {
  std::vector<std::int32_t> out;
  if (polygon.size() < 3) return out;
  const Box box = boxOf(polygon);
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
    const Point3 &a = mesh.corner(t, 0), &b = mesh.corner(t, 1), &c = mesh.corner(t, 2);
    const Point2 centroid{(a.x + b.x + c.x) / 3.0, (a.y + b.y + c.y) / 3.0};
    if (box.contains(centroid) && insidePolygon(polygon, centroid))
      out.push_back(static_cast<std::int32_t>(t));
  }
  return out;
}

std::vector<std::int32_t> edgesInPolygon(const Mesh& mesh, std::span<const Edge> edges,
                                         std::span<const Point2> polygon) {
  std::vector<std::int32_t> out;
  if (polygon.size() < 3) return out;
  const Box box = boxOf(polygon);
  for (std::size_t e = 0; e < edges.size(); ++e) {
    const Point3 &a = mesh.vertices[edges[e].a], &b = mesh.vertices[edges[e].b];
    const Point2 mid{0.5 * (a.x + b.x), 0.5 * (a.y + b.y)};
    if (box.contains(mid) && insidePolygon(polygon, mid)) out.push_back(static_cast<std::int32_t>(e));
  }
  return out;
}

}  // namespace tin
