// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CTriangulation.h"

void CTriangulation::Changed() {
  m_triangles.reset();
  m_edges.reset();
  m_triangleStore.clear();
  m_triangleStore.shrink_to_fit();
  m_edgeStore.clear();
  m_edgeStore.shrink_to_fit();
}

CKVLPointerArray<CKVLTriangle>* CTriangulation::Triangles() {
  if (!m_triangles) {
    const auto& triangles = m_surface.triangles();
    m_triangleStore.reserve(triangles.size());
    for (std::size_t i = 0; i < triangles.size(); ++i) {
      const auto& t = triangles[i];
      m_triangleStore.emplace_back(static_cast<Adesk::Int32>(i), t.v[0], t.v[1], t.v[2]);
    }
    m_triangles = std::make_unique<CKVLPointerArray<CKVLTriangle>>();
    m_triangles->setPhysicalLength(static_cast<int>(m_triangleStore.size()));
    for (auto& t : m_triangleStore) m_triangles->append(&t);
  }
  return m_triangles.get();
}

CKVLPointerArray<CKVLEdge>* CTriangulation::Edges() {
  if (!m_edges) {
    const auto& edges = m_surface.edges();
    m_edgeStore.reserve(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i)
      m_edgeStore.emplace_back(static_cast<Adesk::Int32>(i), edges[i].a, edges[i].b);
    m_edges = std::make_unique<CKVLPointerArray<CKVLEdge>>();
    m_edges->setPhysicalLength(static_cast<int>(m_edgeStore.size()));
    for (auto& e : m_edgeStore) m_edges->append(&e);
  }
  return m_edges.get();
}

std::int32_t CTriangulation::TriangleAt(const tin::Point2& p) const { return m_surface.triangleAt(p); }

void CTriangulation::TrianglesAt(std::span<const tin::Point2> points, std::vector<std::int32_t>& out) const {
  m_surface.trianglesAt(points, out);
}
