// A spatial index of what the model space of a drawing shows: each visible
// entity of model space (a block reference counts as one) with its ink box
// (InkExtents), its colour and its place in the drawing order, in a packed
// R-tree (leaves in Hilbert order of their centres, 16 to a node). Built in
// one pass over the drawing; the view builds it again when the drawing
// changed, not when it pans or zooms.
//
// query() gives exactly the entries whose box meets a rectangle (touching
// counts), as a scan of every entry would; entities without a box (whose
// extents cannot be had) are not in the tree and are always drawn.
//
//   DrawingIndex index = DrawingIndex::build(db);
//   index.query(PlanBox::of(0, 0, 100, 50), [&](std::uint32_t order) { ... });
#pragma once

#include <cstdint>
#include <vector>

#include "host/render/PlanBox.h"

class AcDbDatabase;
class AcDbEntity;

namespace uv::render {

class DrawingIndex {
 public:
  struct Entry {
    const AcDbEntity* entity = nullptr;
    PlanBox box;
    int colour = 7;             // ACI, as resolved for model space; -1: no dot (a wipeout)
    bool screenSized = false;  // drawn at a size in pixels (a point's cross)
  };

  DrawingIndex() = default;
  // Every visible entity of model space in drawing order.
  static DrawingIndex build(const AcDbDatabase& db);
  // The entries as given, in this order (their entity may be null).
  explicit DrawingIndex(std::vector<Entry> entries);

  size_t size() const { return m_entries.size(); }
  const Entry& entry(std::uint32_t order) const { return m_entries[order]; }
  // Entries without a box, in drawing order.
  const std::vector<std::uint32_t>& unboxed() const { return m_unboxed; }
  // The box of every boxed entry.
  const PlanBox& bounds() const { return m_bounds; }

  // Calls visit(order) for each boxed entry whose box meets `area`, in no
  // particular order.
  template <class Visit>
  void query(const PlanBox& area, Visit&& visit) const;
  // The same, sorted into drawing order.
  std::vector<std::uint32_t> query(const PlanBox& area) const;

  static constexpr std::uint32_t kNodeSize = 16;

 private:
  void pack();

  std::vector<Entry> m_entries;
  std::vector<std::uint32_t> m_unboxed;
  PlanBox m_bounds;
  // The tree, level by level from the leaves up: node boxes, and for each
  // node the entry it stands for (leaves) or the position of its first
  // child (the others). m_levelEnds[k] ends level k in these arrays.
  std::vector<PlanBox> m_nodes;
  std::vector<std::uint32_t> m_refs;
  std::vector<std::uint32_t> m_levelEnds;
};

template <class Visit>
void DrawingIndex::query(const PlanBox& area, Visit&& visit) const {
  if (m_nodes.empty() || !m_bounds.meets(area)) return;
  // (first node, level) of the groups still to look at; one group of the
  // top level to start with.
  struct Group {
    std::uint32_t first, level;
  };
  std::vector<Group> todo;
  const std::uint32_t top = std::uint32_t(m_levelEnds.size() - 1);
  todo.push_back({top == 0 ? 0 : m_levelEnds[top - 1], top});
  while (!todo.empty()) {
    const Group g = todo.back();
    todo.pop_back();
    const std::uint32_t end = std::min(g.first + kNodeSize, m_levelEnds[g.level]);
    for (std::uint32_t n = g.first; n < end; ++n) {
      if (!m_nodes[n].meets(area)) continue;
      if (g.level == 0) visit(m_refs[n]);
      else todo.push_back({m_refs[n], g.level - 1});
    }
  }
}

}  // namespace uv::render
