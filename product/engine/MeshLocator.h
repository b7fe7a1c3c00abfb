// SPDX-License-Identifier: GPL-3.0-or-later
// Fast point location for many queries: a grid over the surface remembers one triangle near
// each cell, and a query walks from there across the mesh to the triangle under the point.
// Random queries then cost a few steps each instead of a walk across the whole surface.
//
// The walk decides sides in floating point; it only finds a candidate, which is accepted when
// the point lies inside it or on its border (within a relative 1e-12). Whenever the walk runs
// into the edge of the surface or does not settle, the caller's exact locator decides.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "tin/Mesh.h"

namespace uv::engine {

class MeshLocator {
 public:
  using Exact = std::function<std::int32_t(const tin::Point2&)>;

  MeshLocator(const tin::Mesh& mesh, Exact exact);

  // The triangle under p, -1 off the surface.
  std::int32_t triangleAt(const tin::Point2& p) const;
  // The same for many points at once, out[i] for points[i]. The points are visited cell by
  // cell, each walk starting where the last ended, which keeps the mesh in the cache.
  void triangleAt(std::span<const tin::Point2> points, std::vector<std::int32_t>& out) const;

 private:
  std::size_t cellOf(const tin::Point2& p) const;
  std::int32_t walk(std::int32_t t, const tin::Point2& p) const;

  const tin::Mesh& m_mesh;
  Exact m_exact;
  double m_x0 = 0, m_y0 = 0, m_inv = 1;
  std::int64_t m_nx = 0, m_ny = 0;
  std::vector<std::int32_t> m_hint;
};

}  // namespace uv::engine
