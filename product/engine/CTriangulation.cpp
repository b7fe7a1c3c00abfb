// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CTriangulation.h"

void CTriangulation::Changed() { m_edgesCurrent = false; }

void CTriangulation::ExportTriangles() {
  const auto& triangles = m_surface.triangles();
  // Room to grow, so that the triangles later edits add do not move the elements callers
  // were handed (and the pointer array need not be made again).
  const std::size_t room = triangles.size() + triangles.size() / 32 + 256;
  if (m_triangleStore.capacity() > 2 * room) std::vector<CKVLTriangle>().swap(m_triangleStore);
  m_triangleStore.clear();
  m_triangleStore.reserve(room);
  for (std::size_t i = 0; i < triangles.size(); ++i) {
    const auto& t = triangles[i];
    m_triangleStore.emplace_back(static_cast<Adesk::Int32>(i), t.v[0], t.v[1], t.v[2]);
  }
  if (!m_triangles) m_triangles = std::make_unique<CKVLPointerArray<CKVLTriangle>>();
  m_triangles->removeAll();
  m_triangles->setPhysicalLength(static_cast<int>(m_triangleStore.capacity()));
  for (auto& t : m_triangleStore) m_triangles->append(&t);
}

CKVLPointerArray<CKVLTriangle>* CTriangulation::Triangles() {
  if (m_trianglesCurrent && m_trianglesRevision == m_surface.revision()) return m_triangles.get();
  const auto& triangles = m_surface.triangles();
  m_written.clear();
  const std::size_t had = m_triangleStore.size();
  const bool inPlace = m_trianglesCurrent && m_surface.trianglesWrittenSince(m_trianglesRevision, m_written) &&
                       triangles.size() >= had && triangles.size() <= m_triangleStore.capacity();
  if (inPlace) {
    for (std::int32_t i : m_written) {
      if (static_cast<std::size_t>(i) >= had) continue;  // new: appended below
      CKVLTriangle& e = m_triangleStore[static_cast<std::size_t>(i)];
      for (int k = 0; k < 3; ++k) e.m_nPoint[k] = triangles[static_cast<std::size_t>(i)].v[k];
    }
    for (std::size_t i = had; i < triangles.size(); ++i) {
      const auto& t = triangles[i];
      m_triangles->append(&m_triangleStore.emplace_back(static_cast<Adesk::Int32>(i), t.v[0], t.v[1], t.v[2]));
    }
  } else {
    ExportTriangles();
  }
  m_written.clear();
  m_trianglesRevision = m_surface.revision();
  m_trianglesCurrent = true;
  return m_triangles.get();
}

CKVLPointerArray<CKVLEdge>* CTriangulation::Edges() {
  if (!m_edges || !m_edgesCurrent) {
    const auto& edges = m_surface.edges();
    m_edgeStore.clear();
    m_edgeStore.reserve(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i)
      m_edgeStore.emplace_back(static_cast<Adesk::Int32>(i), edges[i].a, edges[i].b);
    if (!m_edges) m_edges = std::make_unique<CKVLPointerArray<CKVLEdge>>();
    m_edges->removeAll();
    m_edges->setPhysicalLength(static_cast<int>(m_edgeStore.size()));
    for (auto& e : m_edgeStore) m_edges->append(&e);
    m_edgesCurrent = true;
  }
  return m_edges.get();
}

std::int32_t CTriangulation::TriangleAt(const tin::Point2& p) const { return m_surface.triangleAt(p); }

void CTriangulation::TrianglesAt(std::span<const tin::Point2> points, std::vector<std::int32_t>& out) const {
  m_surface.trianglesAt(points, out);
}
