// SPDX-License-Identifier: GPL-3.0-or-later
// The only translation unit of the TIN core that includes CGAL (see Triangulation.h).
#include "tin/Triangulation.h"

#include <CGAL/Constrained_Delaunay_triangulation_2.h>
#include <CGAL/Constrained_triangulation_plus_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Spatial_sort_traits_adapter_2.h>
#include <CGAL/Triangulation_face_base_with_info_2.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>
#include <CGAL/property_map.h>
#include <CGAL/spatial_sort.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "tin/Predicates.h"

namespace tin {

namespace {

// Exact predicates (filtered: interval arithmetic first, exact numbers only when that cannot
// decide), inexact constructions. The only constructions are break-line crossings, rounded to
// the nearest doubles by CGAL's Exact_predicates_tag path, which keeps the structure valid.
using K = CGAL::Exact_predicates_inexact_constructions_kernel;
using P = K::Point_2;

struct VertexInfo {
  std::int32_t id = -1;
  double z = 0.0;  // a copy, set with each mesh, so that elevation queries stay in one structure
};

struct FaceInfo {
  std::int32_t triangle = -1;  // index in the mesh, -1 when not part of the surface
  std::int8_t rotation = 0;    // mesh corner i is CGAL corner (i + rotation) % 3
};

using Vb = CGAL::Triangulation_vertex_base_with_info_2<VertexInfo, K>;
using Fb = CGAL::Triangulation_face_base_with_info_2<FaceInfo, K,
                                                     CGAL::Constrained_triangulation_face_base_2<K>>;
using Tds = CGAL::Triangulation_data_structure_2<Vb, Fb>;
using CdtBase = CGAL::Constrained_Delaunay_triangulation_2<K, Tds, CGAL::Exact_predicates_tag>;
// The "plus" layer remembers each inserted constraint as a chain of vertices, also after
// crossings and later points split it: that is how a break line is found again.
using Cdt = CGAL::Constrained_triangulation_plus_2<CdtBase>;
using VertexHandle = Cdt::Vertex_handle;
using FaceHandle = Cdt::Face_handle;
using ConstraintId = Cdt::Constraint_id;

P toP(const Point2& p) { return P(p.x, p.y); }

int cw(int i) { return (i + 2) % 3; }
int ccw(int i) { return (i + 1) % 3; }

}  // namespace

int orientationExact(const Point2& a, const Point2& b, const Point2& c) {
  return static_cast<int>(CGAL::orientation(toP(a), toP(b), toP(c)));
}

int inCircleExact(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
  return static_cast<int>(CGAL::side_of_oriented_circle(toP(a), toP(b), toP(c), toP(d)));
}

namespace detail {

struct Triangulation::Impl {
  Cdt cdt;
  std::vector<VertexHandle> handles;
  std::vector<ConstraintId> lines;
  std::vector<std::array<std::int32_t, 2>> lineEnds;
  std::unordered_map<const void*, std::int32_t> lineOfChain;
  // Flips made since the last undoFlips(), in order: the new diagonal, then the one it replaced.
  struct Flip {
    std::int32_t u, v, a, b;
  };
  std::vector<Flip> flips;

  // Point-location hints: one vertex per cell of a grid laid over the vertices. Vertices are
  // never removed, so a hint stays usable after later changes; the grid is laid anew when the
  // number of vertices has doubled, and with every mesh.
  std::vector<VertexHandle> hintCells;
  std::size_t hintedVertices = 0;
  double gridX0 = 0, gridY0 = 0, gridInvCell = 0;
  std::int64_t gridNx = 0, gridNy = 0;
  mutable VertexHandle lastVertex;

  std::int32_t adopt(VertexHandle vh) {
    if (vh->info().id < 0) {
      vh->info().id = static_cast<std::int32_t>(handles.size());
      handles.push_back(vh);
    }
    lastVertex = vh;
    return vh->info().id;
  }

  FaceHandle hintFor(const Point2& p) const {
    VertexHandle v = lastVertex;
    if (!hintCells.empty()) {
      auto cell = [&](double c, double c0, std::int64_t n) {
        double k = std::floor((c - c0) * gridInvCell);
        return static_cast<std::int64_t>(std::clamp(k, 0.0, static_cast<double>(n - 1)));
      };
      v = hintCells[cell(p.y, gridY0, gridNy) * gridNx + cell(p.x, gridX0, gridNx)];
    }
    return v == VertexHandle() ? FaceHandle() : v->face();
  }

  void ensureHints() {
    if (handles.size() > 2 * hintedVertices + 64) buildHints();
  }

  void buildHints() {
    hintCells.clear();
    hintedVertices = handles.size();
    if (handles.empty()) return;
    double x0 = handles[0]->point().x(), x1 = x0, y0 = handles[0]->point().y(), y1 = y0;
    for (VertexHandle v : handles) {
      x0 = std::min(x0, v->point().x());
      x1 = std::max(x1, v->point().x());
      y0 = std::min(y0, v->point().y());
      y1 = std::max(y1, v->point().y());
    }
    const double w = std::max(x1 - x0, 1e-300), h = std::max(y1 - y0, 1e-300);
    const double cells = std::max(1.0, static_cast<double>(handles.size()) / 2.0);
    const double side = std::max(std::sqrt(w * h / cells), std::max(w, h) / 4096.0);
    gridX0 = x0;
    gridY0 = y0;
    gridInvCell = 1.0 / side;
    gridNx = std::clamp<std::int64_t>(static_cast<std::int64_t>(w / side) + 1, 1, 4096);
    gridNy = std::clamp<std::int64_t>(static_cast<std::int64_t>(h / side) + 1, 1, 4096);
    hintCells.assign(static_cast<std::size_t>(gridNx * gridNy), VertexHandle());
    for (VertexHandle v : handles) {
      auto cx = std::min<std::int64_t>(static_cast<std::int64_t>((v->point().x() - x0) * gridInvCell), gridNx - 1);
      auto cy = std::min<std::int64_t>(static_cast<std::int64_t>((v->point().y() - y0) * gridInvCell), gridNy - 1);
      hintCells[cy * gridNx + cx] = v;
    }
    // Empty cells borrow the nearest filled one in storage order.
    VertexHandle carry;
    for (auto& c : hintCells) (c == VertexHandle()) ? void(c = carry) : void(carry = c);
    carry = VertexHandle();
    for (auto it = hintCells.rbegin(); it != hintCells.rend(); ++it)
      (*it == VertexHandle()) ? void(*it = carry) : void(carry = *it);
  }

  // The edge (f, i) with u and v on its two sides, if u and v face each other across an edge.
  bool findDiagonal(VertexHandle u, VertexHandle v, FaceHandle& f, int& i) const {
    auto fc = cdt.incident_faces(u), done = fc;
    if (fc == nullptr) return false;
    do {
      if (cdt.is_infinite(fc)) continue;
      int k = fc->index(u);
      FaceHandle n = fc->neighbor(k);
      if (!cdt.is_infinite(n) && n->vertex(cdt.mirror_index(fc, k)) == v) {
        f = fc;
        i = k;
        return true;
      }
    } while (++fc != done);
    return false;
  }

  void flipEdge(VertexHandle u, VertexHandle v) {
    FaceHandle f;
    int i;
    if (cdt.is_edge(u, v, f, i)) cdt.flip(f, i);
  }
};

Triangulation::Triangulation() : impl_(std::make_unique<Impl>()) {}
Triangulation::~Triangulation() = default;

void Triangulation::clear() { impl_ = std::make_unique<Impl>(); }

std::int32_t Triangulation::vertexCount() const {
  return static_cast<std::int32_t>(impl_->handles.size());
}

Point2 Triangulation::position(std::int32_t v) const {
  const P& p = impl_->handles[v]->point();
  return {p.x(), p.y()};
}

void Triangulation::insert(std::span<const Point2> positions, std::vector<std::int32_t>& ids) {
  Impl& m = *impl_;
  ids.assign(positions.size(), -1);
  if (positions.empty()) return;
  m.ensureHints();
  // Sorted along a space-filling curve, each insertion starts next to the previous one.
  std::vector<std::pair<P, std::int32_t>> items;
  items.reserve(positions.size());
  for (std::size_t k = 0; k < positions.size(); ++k) items.push_back({toP(positions[k]), static_cast<std::int32_t>(k)});
  using Map = CGAL::First_of_pair_property_map<std::pair<P, std::int32_t>>;
  CGAL::spatial_sort(items.begin(), items.end(), CGAL::Spatial_sort_traits_adapter_2<K, Map>());
  FaceHandle hint = m.hintFor(positions[items.front().second]);
  for (const auto& [p, k] : items) {
    VertexHandle vh = m.cdt.insert(p, hint);
    ids[k] = m.adopt(vh);
    hint = vh->face();
  }
}

void Triangulation::assign(std::span<const Point2> positions, const FlatTriangulation& flat,
                           std::vector<std::int32_t>& ids) {
  clear();
  if (flat.triangles.empty()) {
    insert(positions, ids);
    return;
  }
  Impl& m = *impl_;
  auto& tds = m.cdt.tds();
  const std::size_t n = positions.size(), nt = flat.triangles.size();
  // An empty triangulation holds its infinite vertex in a face of its own; the faces made
  // here replace that one.
  const VertexHandle infinite = m.cdt.infinite_vertex();
  tds.delete_face(infinite->face());
  m.handles.reserve(n);
  ids.resize(n);
  for (std::size_t k = 0; k < n; ++k) {
    VertexHandle v = tds.create_vertex();
    v->set_point(toP(positions[k]));
    v->info().id = static_cast<std::int32_t>(k);
    m.handles.push_back(v);
    ids[k] = static_cast<std::int32_t>(k);
  }
  std::vector<FaceHandle> faces(nt);
  for (std::size_t t = 0; t < nt; ++t) {
    const Triangle& tri = flat.triangles[t];
    faces[t] = tds.create_face(m.handles[tri.v[0]], m.handles[tri.v[1]], m.handles[tri.v[2]]);
    for (int i = 0; i < 3; ++i) m.handles[tri.v[i]]->set_face(faces[t]);
  }
  // Beyond each hull side a face with the infinite vertex, as CGAL closes the plane: for the
  // side a->b (surface on its left) the face (b, a, infinite). Its side opposite b meets the
  // face of the hull side that ends at a; its side opposite a, the one that starts at b.
  std::vector<FaceHandle> outerFrom(n), outerTo(n);
  for (std::size_t t = 0; t < nt; ++t)
    for (int i = 0; i < 3; ++i) {
      const std::int32_t nb = flat.neighbours[t][i];
      if (nb >= 0) {
        faces[t]->set_neighbor(i, faces[nb]);
        continue;
      }
      const std::int32_t a = flat.triangles[t].v[ccw(i)], b = flat.triangles[t].v[cw(i)];
      FaceHandle g = tds.create_face(m.handles[b], m.handles[a], infinite);
      g->set_neighbor(2, faces[t]);
      faces[t]->set_neighbor(i, g);
      outerFrom[a] = g;
      outerTo[b] = g;
      infinite->set_face(g);
    }
  for (std::size_t v = 0; v < n; ++v) {
    if (outerFrom[v] == FaceHandle()) continue;
    // The face of the side x->v is (v, x, inf), the face of v->w is (w, v, inf): they share
    // the edge v-inf, as side 1 of the first and side 0 of the second.
    FaceHandle from = outerFrom[v], to = outerTo[v];
    from->set_neighbor(0, to);
    to->set_neighbor(1, from);
  }
  tds.set_dimension(2);
  m.lastVertex = m.handles.back();
}

void Triangulation::insertBreakLine(std::int32_t line, std::int32_t a, std::int32_t b) {
  Impl& m = *impl_;
  if (static_cast<std::size_t>(line) >= m.lines.size()) {
    m.lines.resize(line + 1, ConstraintId());
    m.lineEnds.resize(line + 1, {-1, -1});
  }
  ConstraintId cid = m.cdt.insert_constraint(m.handles[a], m.handles[b]);
  m.lines[line] = cid;
  m.lineEnds[line] = {a, b};
  if (cid == ConstraintId()) return;
  m.lineOfChain[cid.vl_ptr()] = line;
  for (VertexHandle vh : m.cdt.vertices_in_constraint(cid)) m.adopt(vh);
  // Crossings lie on the new chain; this only guards against a vertex created elsewhere.
  if (m.cdt.number_of_vertices() != m.handles.size())
    for (auto v = m.cdt.finite_vertices_begin(); v != m.cdt.finite_vertices_end(); ++v) m.adopt(v);
}

void Triangulation::breakLineChain(std::int32_t line, std::vector<std::int32_t>& out) const {
  out.clear();
  const Impl& m = *impl_;
  if (static_cast<std::size_t>(line) >= m.lines.size() || m.lines[line] == ConstraintId()) return;
  for (VertexHandle vh : m.cdt.vertices_in_constraint(m.lines[line])) out.push_back(vh->info().id);
}

void Triangulation::breakLinesThrough(std::int32_t v, std::vector<std::int32_t>& out) const {
  out.clear();
  const Impl& m = *impl_;
  if (m.lineOfChain.empty() || m.cdt.dimension() < 1) return;
  VertexHandle vh = m.handles[v];
  auto ec = m.cdt.incident_edges(vh), done = ec;
  if (ec == nullptr) return;
  do {
    if (m.cdt.is_infinite(ec) || !m.cdt.is_constrained(*ec)) continue;
    FaceHandle f = ec->first;
    int i = ec->second;
    VertexHandle w = f->vertex(cw(i)) == vh ? f->vertex(ccw(i)) : f->vertex(cw(i));
    for (auto c = m.cdt.contexts_begin(vh, w); c != m.cdt.contexts_end(vh, w); ++c) {
      auto context = *c;
      auto found = m.lineOfChain.find(context.id().vl_ptr());
      if (found != m.lineOfChain.end()) out.push_back(found->second);
    }
  } while (++ec != done);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
}

std::int32_t Triangulation::vertexNear(const Point2& p, double tolerance) const {
  const Impl& m = *impl_;
  if (m.handles.empty()) return -1;
  std::int32_t best = -1;
  double bestDistance = tolerance;
  auto consider = [&](VertexHandle v) {
    if (m.cdt.is_infinite(v)) return;
    double d = std::max(std::fabs(v->point().x() - p.x), std::fabs(v->point().y() - p.y));
    if (d <= bestDistance) {
      if (d == bestDistance && best >= 0 && v->info().id > best) return;
      bestDistance = d;
      best = v->info().id;
    }
  };
  if (m.cdt.dimension() < 2) {
    for (VertexHandle v : m.handles) consider(v);
    return best;
  }
  Cdt::Locate_type lt;
  int li;
  FaceHandle f = m.cdt.locate(toP(p), lt, li, m.hintFor(p));
  if (lt == Cdt::VERTEX) return f->vertex(li)->info().id;
  for (int i = 0; i < 3; ++i) consider(f->vertex(i));
  if (lt == Cdt::EDGE)
    for (int i = 0; i < 3; ++i) consider(f->neighbor(li)->vertex(i));
  return best;
}

FlipOutcome Triangulation::flipTo(std::int32_t u, std::int32_t v) {
  Impl& m = *impl_;
  if (u < 0 || v < 0 || u == v || m.cdt.dimension() < 2) return FlipOutcome::MissingVertex;
  VertexHandle hu = m.handles[u], hv = m.handles[v];
  if (m.cdt.is_edge(hu, hv)) return FlipOutcome::AlreadyEdge;
  FaceHandle f;
  int i;
  if (!m.findDiagonal(hu, hv, f, i)) return FlipOutcome::NotAdjacent;
  if (f->is_constrained(i)) return FlipOutcome::BreakLine;
  // The quadrilateral u, a, v, b is strictly convex when a and b lie strictly on opposite
  // sides of u-v (u and v already lie on opposite sides of a-b).
  const P& a = f->vertex(cw(i))->point();
  const P& b = f->vertex(ccw(i))->point();
  CGAL::Orientation oa = CGAL::orientation(hu->point(), hv->point(), a);
  CGAL::Orientation ob = CGAL::orientation(hu->point(), hv->point(), b);
  if (oa == CGAL::COLLINEAR || ob == CGAL::COLLINEAR || oa == ob) return FlipOutcome::NotConvex;
  const std::int32_t oldA = f->vertex(cw(i))->info().id, oldB = f->vertex(ccw(i))->info().id;
  m.cdt.flip(f, i);
  m.flips.push_back({u, v, oldA, oldB});
  return FlipOutcome::Flipped;
}

void Triangulation::undoFlips() {
  Impl& m = *impl_;
  // Flipping the new diagonals back, newest first, restores exactly the triangulation that
  // was there before the first flip.
  for (auto it = m.flips.rbegin(); it != m.flips.rend(); ++it) m.flipEdge(m.handles[it->u], m.handles[it->v]);
  m.flips.clear();
}

void Triangulation::buildMesh(std::span<const std::int32_t> publicIndex, std::span<const double> z,
                              double maxEdgeLength, Mesh& out) {
  Impl& m = *impl_;
  Cdt& cdt = m.cdt;
  out = Mesh{};
  out.vertices.resize(m.handles.size());
  for (VertexHandle v : m.handles) {
    const P& p = v->point();
    v->info().z = z[v->info().id];
    out.vertices[publicIndex[v->info().id]] = {p.x(), p.y(), v->info().z};
  }
  m.buildHints();
  for (auto f = cdt.all_faces_begin(); f != cdt.all_faces_end(); ++f) f->info() = FaceInfo{};
  if (cdt.dimension() < 2) {
    linkMesh(out);
    return;
  }

  // Surface faces: every finite face, less those peeled off by the edge-length limit. The
  // mark 0 means "on the surface"; -1 "off".
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f) f->info().triangle = 0;
  if (maxEdgeLength > 0.0) {
    const double limit2 = maxEdgeLength * maxEdgeLength;
    std::vector<FaceHandle> stack;
    for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f)
      for (int i = 0; i < 3; ++i)
        if (cdt.is_infinite(f->neighbor(i))) stack.push_back(f);
    while (!stack.empty()) {
      FaceHandle f = stack.back();
      stack.pop_back();
      if (f->info().triangle < 0) continue;
      bool peel = false;
      for (int i = 0; i < 3 && !peel; ++i) {
        FaceHandle n = f->neighbor(i);
        if (!(cdt.is_infinite(n) || n->info().triangle < 0) || f->is_constrained(i)) continue;
        peel = CGAL::squared_distance(f->vertex(cw(i))->point(), f->vertex(ccw(i))->point()) > limit2;
      }
      if (!peel) continue;
      f->info().triangle = -1;
      for (int i = 0; i < 3; ++i)
        if (!cdt.is_infinite(f->neighbor(i)) && f->neighbor(i)->info().triangle >= 0)
          stack.push_back(f->neighbor(i));
    }
  }

  // The canonical order of orderMesh(), whatever order the faces come in; the faces learn
  // their triangle index and which of their corners is the triangle's first.
  std::vector<FaceHandle> faces;
  faces.reserve(cdt.number_of_faces());
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f)
    if (f->info().triangle >= 0) {
      f->info().triangle = static_cast<std::int32_t>(faces.size());
      faces.push_back(f);
    }
  const std::size_t nt = faces.size();
  out.triangles.resize(nt);
  out.neighbours.resize(nt);
  out.breakLineSides.assign(nt, 0);
  for (std::size_t k = 0; k < nt; ++k) {
    FaceHandle f = faces[k];
    for (int i = 0; i < 3; ++i) {
      out.triangles[k].v[i] = publicIndex[f->vertex(i)->info().id];
      FaceHandle n = f->neighbor(i);
      out.neighbours[k][i] = cdt.is_infinite(n) ? -1 : n->info().triangle;
      if (f->is_constrained(i)) out.breakLineSides[k] |= static_cast<std::uint8_t>(1u << i);
    }
  }
  std::vector<std::int32_t> previous;
  orderMesh(out, &previous);
  for (std::size_t k = 0; k < nt; ++k) {
    FaceHandle f = faces[previous[k]];
    f->info().triangle = static_cast<std::int32_t>(k);
    const std::int32_t first = out.triangles[k].v[0];
    f->info().rotation = static_cast<std::int8_t>(publicIndex[f->vertex(0)->info().id] == first   ? 0
                                                  : publicIndex[f->vertex(1)->info().id] == first ? 1
                                                                                                 : 2);
  }
}

MeshLocation Triangulation::locate(const Point2& p) const {
  const Impl& m = *impl_;
  MeshLocation loc;
  if (m.cdt.dimension() < 2) return loc;
  Cdt::Locate_type lt;
  int li;
  FaceHandle f = m.cdt.locate(toP(p), lt, li, m.hintFor(p));
  auto meshIndex = [](FaceHandle g, int cgalIndex) { return (cgalIndex - g->info().rotation + 3) % 3; };
  auto on = [&](FaceHandle g) { return !m.cdt.is_infinite(g) && g->info().triangle >= 0; };
  switch (lt) {
    case Cdt::FACE:
      if (on(f)) loc = {MeshLocation::Kind::Face, f->info().triangle, -1};
      break;
    case Cdt::EDGE: {
      FaceHandle n = f->neighbor(li);
      if (on(f))
        loc = {MeshLocation::Kind::Edge, f->info().triangle, meshIndex(f, li)};
      else if (on(n))
        loc = {MeshLocation::Kind::Edge, n->info().triangle, meshIndex(n, m.cdt.mirror_index(f, li))};
      break;
    }
    case Cdt::VERTEX: {
      VertexHandle v = f->vertex(li);
      auto fc = m.cdt.incident_faces(v), done = fc;
      do {
        if (on(fc)) {
          loc = {MeshLocation::Kind::Vertex, fc->info().triangle, meshIndex(fc, fc->index(v))};
          break;
        }
      } while (++fc != done);
      break;
    }
    default:
      break;
  }
  return loc;
}

bool Triangulation::elevation(const Point2& p, double& z) const {
  const Impl& m = *impl_;
  if (m.cdt.dimension() < 2) return false;
  Cdt::Locate_type lt;
  int li;
  FaceHandle f = m.cdt.locate(toP(p), lt, li, m.hintFor(p));
  if (lt == Cdt::VERTEX) {
    // A vertex counts when a surface triangle uses it.
    VertexHandle v = f->vertex(li);
    auto fc = m.cdt.incident_faces(v), done = fc;
    do {
      if (!m.cdt.is_infinite(fc) && fc->info().triangle >= 0) {
        z = v->info().z;
        return true;
      }
    } while (++fc != done);
    return false;
  }
  if (lt == Cdt::EDGE && (m.cdt.is_infinite(f) || f->info().triangle < 0)) f = f->neighbor(li);
  if ((lt != Cdt::FACE && lt != Cdt::EDGE) || m.cdt.is_infinite(f) || f->info().triangle < 0) return false;
  auto corner = [&](int i) {
    const P& q = f->vertex(i)->point();
    return Point3{q.x(), q.y(), f->vertex(i)->info().z};
  };
  z = planeElevation(corner(0), corner(1), corner(2), p);
  return true;
}

void Triangulation::check(std::vector<std::string>& problems) const {
  const Impl& m = *impl_;
  const Cdt& cdt = m.cdt;
  auto problem = [&](auto&&... parts) {
    std::ostringstream s;
    (s << ... << parts);
    problems.push_back(s.str());
  };

  if (cdt.number_of_vertices() != m.handles.size())
    problem("triangulation has ", cdt.number_of_vertices(), " vertices, ", m.handles.size(), " numbered");
  for (std::size_t k = 0; k < m.handles.size(); ++k) {
    VertexHandle v = m.handles[k];
    if (v->info().id != static_cast<std::int32_t>(k)) problem("vertex ", k, " carries number ", v->info().id);
    if (cdt.dimension() == 2 && !v->face()->has_vertex(v)) problem("vertex ", k, " points at a face without it");
  }
  if (cdt.dimension() < 2) {
    if (!m.flips.empty()) problem("flips remembered on a triangulation without triangles");
    return;
  }

  // Links, constrained flags on both sides, orientation.
  std::size_t faces = 0;
  for (auto f = cdt.all_faces_begin(); f != cdt.all_faces_end(); ++f) {
    ++faces;
    for (int i = 0; i < 3; ++i) {
      FaceHandle n = f->neighbor(i);
      if (n == FaceHandle() || !n->has_neighbor(f)) {
        problem("face neighbour link is not mutual");
        continue;
      }
      int j = cdt.mirror_index(f, i);
      if (n->vertex(cw(j)) != f->vertex(ccw(i)) || n->vertex(ccw(j)) != f->vertex(cw(i)))
        problem("neighbouring faces disagree on their shared edge");
      if (f->is_constrained(i) != n->is_constrained(j)) problem("edge constrained on one side only");
    }
    if (!cdt.is_infinite(f) &&
        CGAL::orientation(f->vertex(0)->point(), f->vertex(1)->point(), f->vertex(2)->point()) != CGAL::LEFT_TURN)
      problem("face not counter-clockwise at ", f->vertex(0)->point());
  }
  // Euler: V - E + F = 2 on the sphere that the infinite vertex closes.
  const long v = static_cast<long>(cdt.number_of_vertices()) + 1;
  const long f = static_cast<long>(faces), e = 3 * f / 2;
  if (v - e + f != 2) problem("Euler characteristic is ", v - e + f, ", not 2");

  // Every flipped diagonal is an edge unless a later flip replaced it; faces beside one are
  // exempt from the Delaunay test.
  std::unordered_set<const void*> flipped;
  for (std::size_t k = 0; k < m.flips.size(); ++k) {
    const Impl::Flip& fl = m.flips[k];
    const bool replaced = std::any_of(m.flips.begin() + k + 1, m.flips.end(), [&](const Impl::Flip& later) {
      return (later.a == fl.u && later.b == fl.v) || (later.a == fl.v && later.b == fl.u);
    });
    FaceHandle g;
    int i;
    if (!cdt.is_edge(m.handles[fl.u], m.handles[fl.v], g, i)) {
      if (!replaced) problem("swapped diagonal ", fl.u, "-", fl.v, " is not an edge");
      continue;
    }
    flipped.insert(&*g);
    flipped.insert(&*g->neighbor(i));
  }
  for (auto g = cdt.finite_faces_begin(); g != cdt.finite_faces_end(); ++g) {
    if (flipped.count(&*g)) continue;
    for (int i = 0; i < 3; ++i) {
      FaceHandle n = g->neighbor(i);
      if (g->is_constrained(i) || cdt.is_infinite(n) || flipped.count(&*n)) continue;
      const P& opposite = n->vertex(cdt.mirror_index(g, i))->point();
      if (CGAL::side_of_oriented_circle(g->vertex(0)->point(), g->vertex(1)->point(), g->vertex(2)->point(),
                                        opposite) == CGAL::ON_POSITIVE_SIDE)
        problem("edge ", g->vertex(cw(i))->point(), " - ", g->vertex(ccw(i))->point(), " is not Delaunay");
    }
  }

  // Break lines: a chain from the first end to the second, every link a constrained edge,
  // every vertex on the segment (up to the rounding of crossings) and in order along it.
  for (std::size_t line = 0; line < m.lines.size(); ++line) {
    if (m.lines[line] == ConstraintId()) continue;
    std::vector<VertexHandle> chain;
    for (VertexHandle vh : cdt.vertices_in_constraint(m.lines[line])) chain.push_back(vh);
    const auto [a, b] = m.lineEnds[line];
    if (chain.size() < 2 || chain.front() != m.handles[a] || chain.back() != m.handles[b]) {
      problem("break line ", line, " does not run between its ends");
      continue;
    }
    const P pa = chain.front()->point(), pb = chain.back()->point();
    const double dx = pb.x() - pa.x(), dy = pb.y() - pa.y(), length = std::hypot(dx, dy);
    const double scale = std::max({std::fabs(pa.x()), std::fabs(pa.y()), std::fabs(pb.x()), std::fabs(pb.y()), length});
    const double slack = 1e-13 * scale;
    double lastT = -1.0;
    for (std::size_t k = 0; k < chain.size(); ++k) {
      const P& q = chain[k]->point();
      const double t = ((q.x() - pa.x()) * dx + (q.y() - pa.y()) * dy) / (length * length);
      const double off = std::fabs((q.x() - pa.x()) * dy - (q.y() - pa.y()) * dx) / length;
      if (off > slack) problem("break line ", line, " passes ", off, " beside its segment");
      if (!(t > lastT)) problem("break line ", line, " goes back along its segment");
      lastT = t;
      if (k > 0) {
        FaceHandle g;
        int i;
        if (!cdt.is_edge(chain[k - 1], chain[k], g, i) || !g->is_constrained(i))
          problem("break line ", line, " misses a constrained edge at ", q);
      }
    }
  }
}

}  // namespace detail
}  // namespace tin
