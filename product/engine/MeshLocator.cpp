// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/MeshLocator.h"

#include <algorithm>
#include <cmath>

namespace uv::engine {

MeshLocator::MeshLocator(const tin::Mesh& mesh, Exact exact) : m_mesh(mesh), m_exact(std::move(exact)) {
  if (mesh.triangles.empty()) return;
  double x1 = -INFINITY, y1 = -INFINITY;
  m_x0 = m_y0 = INFINITY;
  for (const auto& t : mesh.triangles)
    for (int i = 0; i < 3; ++i) {
      const auto& p = mesh.vertices[t.v[i]];
      m_x0 = std::min(m_x0, p.x), m_y0 = std::min(m_y0, p.y);
      x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
  // About one triangle a cell, four bytes each.
  const double area = std::max((x1 - m_x0) * (y1 - m_y0), 1e-300);
  const double cell = std::max(std::sqrt(area / static_cast<double>(mesh.triangles.size())), 1e-9);
  m_inv = 1.0 / cell;
  m_nx = std::clamp<std::int64_t>(static_cast<std::int64_t>((x1 - m_x0) * m_inv) + 1, 1, 1 << 15);
  m_ny = std::clamp<std::int64_t>(static_cast<std::int64_t>((y1 - m_y0) * m_inv) + 1, 1, 1 << 15);
  m_hint.assign(static_cast<std::size_t>(m_nx * m_ny), -1);
  for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
    const auto& t = mesh.triangles[i];
    const double cx = (mesh.vertices[t.v[0]].x + mesh.vertices[t.v[1]].x + mesh.vertices[t.v[2]].x) / 3.0;
    const double cy = (mesh.vertices[t.v[0]].y + mesh.vertices[t.v[1]].y + mesh.vertices[t.v[2]].y) / 3.0;
    const auto ix = std::clamp<std::int64_t>(static_cast<std::int64_t>((cx - m_x0) * m_inv), 0, m_nx - 1);
    const auto iy = std::clamp<std::int64_t>(static_cast<std::int64_t>((cy - m_y0) * m_inv), 0, m_ny - 1);
    m_hint[static_cast<std::size_t>(iy * m_nx + ix)] = static_cast<std::int32_t>(i);
  }
  // Each cell then keeps the triangle under its centre, found by a short walk from its own
  // guess or from its neighbour's answer, so that a query starts at most a step or two away.
  std::int32_t last = 0;
  for (std::int64_t iy = 0; iy < m_ny; ++iy)
    for (std::int64_t ix = 0; ix < m_nx; ++ix) {
      auto& h = m_hint[static_cast<std::size_t>(iy * m_nx + ix)];
      const tin::Point2 centre{m_x0 + (static_cast<double>(ix) + 0.5) / m_inv, m_y0 + (static_cast<double>(iy) + 0.5) / m_inv};
      const std::int32_t found = walk(h >= 0 ? h : last, centre);
      if (found >= 0) h = found;
      else if (h < 0) h = last;
      last = h;
    }
}

std::int32_t MeshLocator::walk(std::int32_t t, const tin::Point2& p) const {
  const auto& tris = m_mesh.triangles;
  for (int steps = 0; steps < 4096; ++steps) {
    const auto& tri = tris[static_cast<std::size_t>(t)];
    int exit = -1;
    double worst = 0.0;
    for (int i = 0; i < 3; ++i) {
      const auto& a = m_mesh.vertices[tri.v[(i + 1) % 3]];
      const auto& b = m_mesh.vertices[tri.v[(i + 2) % 3]];
      // Relative to a, so that survey-sized coordinates keep their digits.
      const double ux = b.x - a.x, uy = b.y - a.y, vx = p.x - a.x, vy = p.y - a.y;
      const double side = ux * vy - uy * vx;
      const double scale = (std::fabs(ux) + std::fabs(uy)) * (std::fabs(vx) + std::fabs(vy));
      if (side < -1e-12 * scale && side < worst) {
        worst = side;
        exit = i;
      }
    }
    if (exit < 0) return t;
    t = m_mesh.neighbours[static_cast<std::size_t>(t)][exit];
    if (t < 0) return -1;
  }
  return -1;
}

std::size_t MeshLocator::cellOf(const tin::Point2& p) const {
  const auto ix = std::clamp<std::int64_t>(static_cast<std::int64_t>((p.x - m_x0) * m_inv), 0, m_nx - 1);
  const auto iy = std::clamp<std::int64_t>(static_cast<std::int64_t>((p.y - m_y0) * m_inv), 0, m_ny - 1);
  return static_cast<std::size_t>(iy * m_nx + ix);
}

std::int32_t MeshLocator::triangleAt(const tin::Point2& p) const {
  if (m_hint.empty() || !std::isfinite(p.x) || !std::isfinite(p.y)) return m_exact(p);
  const std::int32_t found = walk(m_hint[cellOf(p)], p);
  return found >= 0 ? found : m_exact(p);
}

void MeshLocator::triangleAt(std::span<const tin::Point2> points, std::vector<std::int32_t>& out) const {
  out.assign(points.size(), -1);
  std::vector<std::pair<std::size_t, std::uint32_t>> order;
  order.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto& p = points[i];
    if (m_hint.empty() || !std::isfinite(p.x) || !std::isfinite(p.y)) out[i] = m_exact(p);
    else order.emplace_back(cellOf(p), static_cast<std::uint32_t>(i));
  }
  std::sort(order.begin(), order.end());
  std::int32_t last = -1;
  std::size_t lastCell = 0;
  for (const auto& [cell, i] : order) {
    // From the last answer while it lies in this cell or the one before; from the cell's own
    // hint after a jump (a new row), where the last answer is far away.
    const bool near = last >= 0 && cell - lastCell <= 1;
    std::int32_t found = walk(near ? last : m_hint[cell], points[i]);
    if (found < 0) found = m_exact(points[i]);
    out[i] = found;
    if (found >= 0) {
      last = found;
      lastCell = cell;
    }
  }
}

}  // namespace uv::engine
