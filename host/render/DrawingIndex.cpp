#include "host/render/DrawingIndex.h"

#include <algorithm>
#include <cmath>

#include "db/AcDbBlockBegin.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbGroup.h"
#include "db/AcDbPoint.h"
#include "db/AcDbRawObject.h"
#include "db/AcDbRegAppTableRecord.h"
#include "db/AcDbXrecord.h"
#include "db/UndoLog.h"
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

// What the painter shows of an entity of model space, as an entry; false
// when it shows nothing.
bool entryOf(const AcDbEntity& entity, const StyleResolver& styles, InkExtents& ink, DrawingIndex::Entry& e) {
  const Resolved style = styles.resolve(entity, Inherited());
  // As the painter decides: a reference on a layer that is off still shows
  // what its block holds on other layers.
  const bool shown = AcDbBlockReference::cast(&entity)
                         ? !entity.isErased() && entity.visibility() == AcDb::kVisible &&
                               !styles.isLayerFrozen(style.layer)
                         : style.visible;
  if (!shown) return false;
  e = DrawingIndex::Entry();
  e.entity = &entity;
  e.id = entity.objectId();
  // A wipeout smaller than a pixel hides nothing worth a dot.
  e.colour = AcDbWipeout::cast(&entity) ? -1 : style.colour;
  e.screenSized = AcDbPoint::cast(&entity) != nullptr;
  if (!ink.of(entity, e.box)) e.box = PlanBox();
  return true;
}

// Objects whose change leaves every entry as it is: what holds data the
// picture does not show.
bool changesNoPicture(const AcDbObject& object) {
  return AcDbDictionary::cast(&object) || AcDbXrecord::cast(&object) || AcDbRawObject::cast(&object) ||
         AcDbGroup::cast(&object) || AcDbRegAppTableRecord::cast(&object) || AcDbBlockBegin::cast(&object) ||
         AcDbBlockEnd::cast(&object);
}

// Placed nowhere (gone since the tree was packed), among the loose entries,
// among the unboxed ones; otherwise the leaf.
constexpr std::uint32_t kNowhere = 0xFFFFFFFFu, kLoose = 0xFFFFFFFEu, kUnboxedPlace = 0xFFFFFFFDu;

}  // namespace

DrawingIndex::DrawingIndex(std::vector<Entry> entries) : m_entries(std::move(entries)) { pack(); }

DrawingIndex DrawingIndex::build(const AcDbDatabase& db) {
  DrawingIndex index;
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  // Model space open for write (a command is under way): an empty index,
  // which the next update builds again rather than catches up.
  if (space.openStatus() != Acad::eOk) return index;
  index.m_db = &db;
  index.m_mark = db.undoLog().changeMark();
  const std::vector<AcDbObject*> objects = space->entities(true);
  index.m_entries.reserve(objects.size());
  const StyleResolver styles(db);
  InkExtents ink;
  Entry e;
  for (AcDbObject* object : objects)
    if (auto* entity = AcDbEntity::cast(object); entity && entryOf(*entity, styles, ink, e))
      index.m_entries.push_back(e);
  index.pack();
  return index;
}

bool DrawingIndex::update(const AcDbDatabase& db) {
  if (catchUp(db)) {
    m_mark = db.undoLog().changeMark();
    return true;
  }
  *this = build(db);
  return false;
}

bool DrawingIndex::catchUp(const AcDbDatabase& db) {
  if (&db != m_db) return false;
  std::vector<AcDbObjectId> touched;
  if (!db.undoLog().changesSince(m_mark, touched)) return false;
  if (touched.empty()) return true;
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  if (space.openStatus() != Acad::eOk) return false;
  // Reading a good part of the drawing again costs about what building
  // the index does, and gives a tidy tree.
  if (touched.size() > 1000 && touched.size() > space->entityIds().size() / 4) return false;
  std::sort(touched.begin(), touched.end(), [](AcDbObjectId a, AcDbObjectId b) { return a.slot() < b.slot(); });
  touched.erase(std::unique(touched.begin(), touched.end()), touched.end());

  // The entities of model space the changes concern: those touched, and
  // the owners of touched vertices and attributes.
  std::vector<AcDbObjectId> entities;
  for (AcDbObjectId id : touched) {
    AcDbObjectPointer<AcDbObject> object(id, AcDb::kForRead, true);
    if (object.openStatus() == Acad::eKeyNotFound) {  // taken out by Undo (or Redo)
      entities.push_back(id);
      continue;
    }
    if (object.openStatus() != Acad::eOk) return false;  // open for write: read it all later
    if (id == db.modelSpaceId() || id == db.paperSpaceId() || changesNoPicture(*object)) continue;
    if (!AcDbEntity::cast(object.object())) return false;  // a layer, linetype, style, block...
    AcDbObjectId at = id, owner = object->ownerId();
    for (int depth = 0; owner != db.modelSpaceId() && depth < 4; ++depth) {
      AcDbObjectPointer<AcDbEntity> parent(owner, AcDb::kForRead, true);
      if (parent.openStatus() != Acad::eOk) break;
      at = owner;
      owner = parent->ownerId();
    }
    if (owner == db.modelSpaceId()) entities.push_back(at);
    else if (owner != db.paperSpaceId()) return false;  // in a block definition
  }
  std::sort(entities.begin(), entities.end(), [](AcDbObjectId a, AcDbObjectId b) { return a.slot() < b.slot(); });
  entities.erase(std::unique(entities.begin(), entities.end()), entities.end());

  const StyleResolver styles(db);
  InkExtents ink;
  Entry gone;
  gone.gone = true;
  std::vector<Entry> newcomers;  // sorted by id, as `entities`
  for (AcDbObjectId id : entities) {
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead, true);
    if (entity.openStatus() != Acad::eOk && entity.openStatus() != Acad::eKeyNotFound) return false;
    Entry e;
    const bool shown = entity.openStatus() == Acad::eOk && entryOf(*entity.object(), styles, ink, e);
    const std::uint32_t order = find(id);
    if (order != kNoLeaf) replace(order, shown ? e : gone);
    else if (shown) newcomers.push_back(e);
  }

  if (!newcomers.empty()) {
    // Entities new to the index were appended to model space: after every
    // entity the index knows, in the order of the block. One that shows up
    // before a known one (an entity shown again in the middle) needs the
    // index built again.
    const std::vector<AcDbObjectId>& ids = space->entityIds();
    std::vector<std::uint32_t> order;  // into newcomers, from the last of the block back
    const auto bySlot = [](const Entry& e, AcDbObjectId id) { return e.id.slot() < id.slot(); };
    for (size_t i = ids.size(); i-- > 0 && order.size() < newcomers.size();) {
      const auto it = std::lower_bound(newcomers.begin(), newcomers.end(), ids[i], bySlot);
      if (it != newcomers.end() && it->id == ids[i]) order.push_back(std::uint32_t(it - newcomers.begin()));
      else if (find(ids[i]) != kNoLeaf) return false;
    }
    if (order.size() != newcomers.size()) return false;
    const size_t known = m_byIdRecent.size();
    for (auto k = order.rbegin(); k != order.rend(); ++k) {
      const auto at = std::uint32_t(m_entries.size());
      m_entries.push_back(newcomers[*k]);
      m_leafOf.push_back(kNowhere);
      m_byIdRecent.emplace_back(m_entries.back().id.slot(), at);
      Entry e = m_entries.back();
      m_entries.back().gone = true;  // placed by replace
      ++m_gone;
      replace(at, e);
    }
    std::sort(m_byIdRecent.begin() + std::ptrdiff_t(known), m_byIdRecent.end());
    std::inplace_merge(m_byIdRecent.begin(), m_byIdRecent.begin() + std::ptrdiff_t(known), m_byIdRecent.end());
    // Merging into the big list costs a pass over it: now and then.
    if (m_byIdRecent.size() > 4096 && m_byIdRecent.size() > m_byId.size() / 64) {
      const size_t big = m_byId.size();
      m_byId.insert(m_byId.end(), m_byIdRecent.begin(), m_byIdRecent.end());
      std::inplace_merge(m_byId.begin(), m_byId.begin() + std::ptrdiff_t(big), m_byId.end());
      m_byIdRecent.clear();
    }
  }

  // A tree full of holes, or many entries beside it, is packed again.
  if (m_gone > 4096 && m_gone > m_entries.size() / 2) pack(true);
  else if (m_loose.size() > 1024 && m_loose.size() > m_entries.size() / 16) pack();
  return true;
}

std::uint32_t DrawingIndex::find(AcDbObjectId id) const {
  for (const std::vector<IdOrder>* list : {&m_byId, &m_byIdRecent}) {
    const auto it = std::lower_bound(list->begin(), list->end(), IdOrder(id.slot(), 0));
    if (it != list->end() && it->first == id.slot()) return it->second;
  }
  return kNoLeaf;
}

bool DrawingIndex::boxed(const PlanBox& b) {
  return !b.isEmpty() && std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) &&
         std::isfinite(b.maxY);
}

void DrawingIndex::replace(std::uint32_t order, const Entry& e) {
  Entry& entry = m_entries[order];
  if (e.gone && !entry.gone) ++m_gone;
  else if (!e.gone && entry.gone) --m_gone;
  const AcDbObjectId id = entry.id;
  entry = e;
  entry.id = id;
  if (entry.gone) {
    entry.entity = nullptr;
    return;  // stays where it is, never found
  }
  std::uint32_t& where = m_leafOf[order];
  const bool hasBox = boxed(entry.box);
  if (hasBox) m_bounds.add(entry.box);
  if (hasBox && where != kNowhere && where != kLoose && where != kUnboxedPlace) {
    setLeafBox(where, entry.box);
    return;
  }
  if (hasBox) {
    if (where == kLoose) return;
    if (where == kUnboxedPlace) m_unboxed.erase(std::lower_bound(m_unboxed.begin(), m_unboxed.end(), order));
    where = kLoose;
    m_loose.push_back(order);
    return;
  }
  if (where == kUnboxedPlace) return;
  if (where == kLoose) m_loose.erase(std::find(m_loose.begin(), m_loose.end(), order));
  else if (where != kNowhere) setLeafBox(where, PlanBox());  // the leaf stays, meeting nothing
  where = kUnboxedPlace;
  m_unboxed.insert(std::lower_bound(m_unboxed.begin(), m_unboxed.end(), order), order);
}

void DrawingIndex::setLeafBox(std::uint32_t leaf, const PlanBox& box) {
  m_nodes[leaf] = box;
  // Each node above takes the box in; none shrinks, which costs a query
  // a look at a node too many at most.
  std::uint32_t node = leaf, begin = 0;
  for (size_t level = 0; level + 1 < m_levelEnds.size(); ++level) {
    const std::uint32_t parent = m_levelEnds[level] + (node - begin) / kNodeSize;
    m_nodes[parent].add(box);
    begin = m_levelEnds[level];
    node = parent;
  }
}

void DrawingIndex::pack(bool compact) {
  if (compact) {
    std::erase_if(m_entries, [](const Entry& e) { return e.gone; });
    m_gone = 0;
  }
  m_unboxed.clear();
  m_nodes.clear();
  m_refs.clear();
  m_levelEnds.clear();
  m_loose.clear();
  m_byId.clear();
  m_byIdRecent.clear();
  m_bounds = PlanBox();
  m_leafOf.assign(m_entries.size(), kNowhere);
  std::vector<std::uint32_t> boxedEntries;
  boxedEntries.reserve(m_entries.size());
  m_byId.reserve(m_entries.size());
  for (std::uint32_t i = 0; i < m_entries.size(); ++i) {
    const Entry& e = m_entries[i];
    if (!e.id.isNull()) m_byId.emplace_back(e.id.slot(), i);
    if (e.gone) continue;
    if (!boxed(e.box)) {
      m_unboxed.push_back(i);
      m_leafOf[i] = kUnboxedPlace;
      continue;
    }
    boxedEntries.push_back(i);
    m_bounds.add(e.box);
  }
  std::sort(m_byId.begin(), m_byId.end());
  if (boxedEntries.empty()) return;

  // Leaves in Hilbert order of their centres, so that a node holds entries
  // that lie close together.
  const double w = m_bounds.width() > 0 ? m_bounds.width() : 1, h = m_bounds.height() > 0 ? m_bounds.height() : 1;
  std::vector<std::uint64_t> keyed(boxedEntries.size());
  for (size_t k = 0; k < boxedEntries.size(); ++k) {
    const PlanBox& b = m_entries[boxedEntries[k]].box;
    const auto cell = [](double t) { return std::uint32_t(std::clamp(t, 0.0, 1.0) * 65535.0); };
    const std::uint32_t x = cell(((b.minX + b.maxX) / 2 - m_bounds.minX) / w);
    const std::uint32_t y = cell(((b.minY + b.maxY) / 2 - m_bounds.minY) / h);
    keyed[k] = (std::uint64_t(hilbert(x, y)) << 32) | boxedEntries[k];
  }
  std::sort(keyed.begin(), keyed.end());

  m_nodes.reserve(boxedEntries.size() + boxedEntries.size() / (kNodeSize - 1) + 1);
  m_refs.reserve(m_nodes.capacity());
  for (std::uint64_t k : keyed) {
    const auto order = std::uint32_t(k & 0xFFFFFFFFu);
    m_leafOf[order] = std::uint32_t(m_nodes.size());
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
