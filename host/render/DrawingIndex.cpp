#include "host/render/DrawingIndex.h"

#include <algorithm>
#include <cmath>

#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPoint.h"
#include "db/AcDbWipeout.h"
#include "host/render/InkExtents.h"
#include "host/render/StyleResolver.h"

namespace uv::render {

namespace {

// The position of (x, y) along a Hilbert curve through a 65536 x 65536 grid.
std::uint32_t hilbert(std::uint32_t x, std::uint32_t y) {
  std::uint32_t d = 0;
  for (std::uint32_t s = 1u << 15; s > 0; s >>= 1) {
    const std::uint32_t rx = (x & s) ? 1 : 0, ry = (y & s) ? 1 : 0;
    d += s * s * ((3 * rx) ^ ry);
    if (ry == 0) {  // turn the quadrant so that the curve runs on
      if (rx == 1) {
        x = s - 1 - (x & (s - 1)) + (x & ~(s - 1));
        y = s - 1 - (y & (s - 1)) + (y & ~(s - 1));
      }
      std::swap(x, y);
    }
  }
  return d;
}

}  // namespace

DrawingIndex::DrawingIndex(std::vector<Entry> entries) : m_entries(std::move(entries)) { pack(); }

DrawingIndex DrawingIndex::build(const AcDbDatabase& db) {
  std::vector<Entry> entries;
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  if (space.openStatus() != Acad::eOk) return DrawingIndex();
  const std::vector<AcDbObject*> objects = space->entities(true);
  entries.reserve(objects.size());
  const StyleResolver styles(db);
  InkExtents ink;
  for (AcDbObject* object : objects) {
    auto* entity = AcDbEntity::cast(object);
    if (!entity) continue;
    const Resolved style = styles.resolve(*entity, Inherited());
    // As the painter decides: a reference on a layer that is off still shows
    // what its block holds on other layers.
    const bool shown = AcDbBlockReference::cast(entity)
                           ? entity->visibility() == AcDb::kVisible && !styles.isLayerFrozen(style.layer)
                           : style.visible;
    if (!shown) continue;
    Entry e;
    e.entity = entity;
    // A wipeout smaller than a pixel hides nothing worth a dot.
    e.colour = AcDbWipeout::cast(entity) ? -1 : style.colour;
    e.screenSized = AcDbPoint::cast(entity) != nullptr;
    if (!ink.of(*entity, e.box)) e.box = PlanBox();
    entries.push_back(e);
  }
  return DrawingIndex(std::move(entries));
}

void DrawingIndex::pack() {
  m_unboxed.clear();
  m_nodes.clear();
  m_refs.clear();
  m_levelEnds.clear();
  m_bounds = PlanBox();
  std::vector<std::uint32_t> boxed;
  boxed.reserve(m_entries.size());
  for (std::uint32_t i = 0; i < m_entries.size(); ++i) {
    const PlanBox& b = m_entries[i].box;
    if (b.isEmpty() || !std::isfinite(b.minX) || !std::isfinite(b.minY) || !std::isfinite(b.maxX) ||
        !std::isfinite(b.maxY)) {
      m_unboxed.push_back(i);
      continue;
    }
    boxed.push_back(i);
    m_bounds.add(b);
  }
  if (boxed.empty()) return;

  // Leaves in Hilbert order of their centres, so that a node holds entries
  // that lie close together.
  const double w = m_bounds.width() > 0 ? m_bounds.width() : 1, h = m_bounds.height() > 0 ? m_bounds.height() : 1;
  std::vector<std::uint64_t> keyed(boxed.size());
  for (size_t k = 0; k < boxed.size(); ++k) {
    const PlanBox& b = m_entries[boxed[k]].box;
    const auto cell = [](double t) { return std::uint32_t(std::clamp(t, 0.0, 1.0) * 65535.0); };
    const std::uint32_t x = cell(((b.minX + b.maxX) / 2 - m_bounds.minX) / w);
    const std::uint32_t y = cell(((b.minY + b.maxY) / 2 - m_bounds.minY) / h);
    keyed[k] = (std::uint64_t(hilbert(x, y)) << 32) | boxed[k];
  }
  std::sort(keyed.begin(), keyed.end());

  m_nodes.reserve(boxed.size() + boxed.size() / (kNodeSize - 1) + 1);
  m_refs.reserve(m_nodes.capacity());
  for (std::uint64_t k : keyed) {
    const auto order = std::uint32_t(k & 0xFFFFFFFFu);
    m_nodes.push_back(m_entries[order].box);
    m_refs.push_back(order);
  }
  m_levelEnds.push_back(std::uint32_t(m_nodes.size()));
  // Each level above holds a node for every kNodeSize nodes below, up to one.
  std::uint32_t begin = 0;
  while (m_levelEnds.back() - begin > 1) {
    const std::uint32_t end = m_levelEnds.back();
    for (std::uint32_t first = begin; first < end; first += kNodeSize) {
      PlanBox b;
      for (std::uint32_t n = first; n < std::min(first + kNodeSize, end); ++n) b.add(m_nodes[n]);
      m_nodes.push_back(b);
      m_refs.push_back(first);
    }
    begin = end;
    m_levelEnds.push_back(std::uint32_t(m_nodes.size()));
  }
}

std::vector<std::uint32_t> DrawingIndex::query(const PlanBox& area) const {
  std::vector<std::uint32_t> found;
  query(area, [&](std::uint32_t order) { found.push_back(order); });
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace uv::render
