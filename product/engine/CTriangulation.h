// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "product/engine/CKVLEdge.h"
#include "product/engine/CKVLPointerArray.h"
#include "product/engine/CKVLTriangle.h"
#include "tin/Surface.h"

// The geometry of a surface: the TIN core's surface, and the element arrays handed to callers.
// The arrays point into storage of their own and do not own their elements. The triangle array,
// once made, is kept and brought up to date on the next request after a change by rewriting
// the triangles the change wrote, so a read after a swap or a point costs what the edit did;
// the edge array is made again. Callers hold the arrays and their elements until the next
// change only: then an element may name another triangle or be gone.
class CTriangulation {
 public:
  CTriangulation() = default;
  explicit CTriangulation(tin::Surface surface) : m_surface(std::move(surface)) {}

  const tin::Surface& Surface() const { return m_surface; }
  // For a change; the caller calls Changed() once the surface did change.
  tin::Surface& Change() { return m_surface; }
  void Replace(tin::Surface surface) {
    m_surface = std::move(surface);
    // Another surface's revisions say nothing about what the arrays hold.
    m_trianglesCurrent = false;
    Changed();
  }
  // Marks the edge array for making again.
  void Changed();

  CKVLPointerArray<CKVLTriangle>* Triangles();
  CKVLPointerArray<CKVLEdge>* Edges();
  // The triangle under p (-1 off the surface); many at once, out[i] for points[i].
  std::int32_t TriangleAt(const tin::Point2& p) const;
  void TrianglesAt(std::span<const tin::Point2> points, std::vector<std::int32_t>& out) const;

 private:
  void ExportTriangles();

  tin::Surface m_surface;
  std::vector<CKVLTriangle> m_triangleStore;
  std::vector<CKVLEdge> m_edgeStore;
  std::unique_ptr<CKVLPointerArray<CKVLTriangle>> m_triangles;
  std::unique_ptr<CKVLPointerArray<CKVLEdge>> m_edges;
  // The triangle array matches the surface at this revision, when current.
  std::uint64_t m_trianglesRevision = 0;
  bool m_trianglesCurrent = false;
  bool m_edgesCurrent = false;
  std::vector<std::int32_t> m_written;
};
