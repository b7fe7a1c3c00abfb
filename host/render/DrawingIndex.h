// A spatial index of what the model space of a drawing shows: each visible
// entity of model space (a block reference counts as one) with its ink box
// (InkExtents), its colour and its place in the drawing order, in a packed
// R-tree (leaves in Hilbert order of their centres, 16 to a node). Built in
// one pass over the drawing; the view keeps it while it pans and zooms and
// brings it up to date after a command from what the drawing's undo log
// says the command touched (update()).
//
// query() gives exactly the entries whose box meets a rectangle (touching
// counts), as a scan of every entry would; entities without a box (whose
// extents cannot be had) are not in the tree and are always drawn.
//
//   DrawingIndex index = DrawingIndex::build(db);
//   index.query(PlanBox::of(0, 0, 100, 50), [&](std::uint32_t order) { ... });
//   ... a command changes db ...
//   index.update(db);
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "db/AcDbObjectId.h"
#include "host/render/PlanBox.h"

class AcDbDatabase;
class AcDbEntity;

namespace uv::render {

class DrawingIndex {
 public:
  struct Entry {
    const AcDbEntity* entity = nullptr;
    AcDbObjectId id;
    PlanBox box;
    int colour = 7;             // ACI, as resolved for model space; -1: no dot (a wipeout)
    bool screenSized = false;  // drawn at a size in pixels (a point's cross)
    // No longer shown (erased, taken out by Undo, hidden): kept for its
    // place in the drawing order should it come back, never found.
    bool gone = false;
  };

  DrawingIndex() = default;
  // Every visible entity of model space in drawing order.
  static DrawingIndex build(const AcDbDatabase& db);
  // The entries as given, in this order (their entity may be null).
  explicit DrawingIndex(std::vector<Entry> entries);

  // Up to date with the drawing: caught up with the changes its undo log
  // recorded since the index was built or last updated (entities added at
  // the end of model space, changed, erased, put back or taken out by Undo
  // and Redo), or built again when that cannot be had or costs more: another
  // drawing, no record, changed layers, linetypes, styles or blocks, an
  // entity that shows up in the middle of the drawing order, or changes to a
  // good part of the drawing. True when it caught up.
  bool update(const AcDbDatabase& db);

  // Entries, the gone ones included.
  size_t size() const { return m_entries.size(); }
  const Entry& entry(std::uint32_t order) const { return m_entries[order]; }
  // Entries without a box, in drawing order (gone ones included).
  const std::vector<std::uint32_t>& unboxed() const { return m_unboxed; }
  // A box holding every boxed entry.
  const PlanBox& bounds() const { return m_bounds; }

  // Calls visit(order) for each boxed entry whose box meets `area`, in no
  // particular order.
  template <class Visit>
  void query(const PlanBox& area, Visit&& visit) const;
  // The same, sorted into drawing order.
  std::vector<std::uint32_t> query(const PlanBox& area) const;

  static constexpr std::uint32_t kNodeSize = 16;

 private:
  static constexpr std::uint32_t kNoLeaf = 0xFFFFFFFFu;
  // (id's place, order), sorted, for finding an entity's entry.
  using IdOrder = std::pair<const void*, std::uint32_t>;

  // Packs the tree anew over the entries that are not gone (dropping those
  // first when `compact`).
  void pack(bool compact = false);
  bool catchUp(const AcDbDatabase& db);
  // The entry of id, or kNoLeaf.
  std::uint32_t find(AcDbObjectId id) const;
  // Puts e in the entry of this order (e.gone: takes it out of the tree).
  void replace(std::uint32_t order, const Entry& e);
  void setLeafBox(std::uint32_t leaf, const PlanBox& box);
  static bool boxed(const PlanBox& b);

  std::vector<Entry> m_entries;
  std::vector<std::uint32_t> m_unboxed;
  PlanBox m_bounds;
  // The tree, level by level from the leaves up: node boxes, and for each
  // node the entry it stands for (leaves) or the position of its first
  // child (the others). m_levelEnds[k] ends level k in these arrays.
  std::vector<PlanBox> m_nodes;
  std::vector<std::uint32_t> m_refs;
  std::vector<std::uint32_t> m_levelEnds;
  // For each entry its leaf (kNoLeaf: none); boxed entries that came since
  // the tree was packed, looked at one by one.
  std::vector<std::uint32_t> m_leafOf;
  std::vector<std::uint32_t> m_loose;
  std::vector<IdOrder> m_byId;
  std::vector<IdOrder> m_byIdRecent;  // entries added since, till merged in
  size_t m_gone = 0;
  // The drawing the index holds and its undo log's mark when last read.
  const AcDbDatabase* m_db = nullptr;
  std::uint64_t m_mark = 0;
};

template <class Visit>
void DrawingIndex::query(const PlanBox& area, Visit&& visit) const {
  for (std::uint32_t order : m_loose)
    if (!m_entries[order].gone && m_entries[order].box.meets(area)) visit(order);
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
      if (g.level == 0) {
        if (!m_entries[m_refs[n]].gone) visit(m_refs[n]);
      } else todo.push_back({m_refs[n], g.level - 1});
    }
  }
}

}  // namespace uv::render
