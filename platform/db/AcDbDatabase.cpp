#include "AcDbDatabase.h"

#include <algorithm>
#include <mutex>
#include <set>

#include "AcDbBlockTable.h"
#include "AcDbDictionary.h"
#include "AcDbEntity.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbLayerTable.h"
#include "AcDbLinetypeTable.h"
#include "AcDbRegAppTable.h"
#include "AcDbTextStyleTable.h"
#include "DbAccess.h"
#include "UndoLog.h"

namespace {

std::mutex& registryMutex() {
  static std::mutex m;
  return m;
}

std::set<const AcDbDatabase*>& registry() {
  static std::set<const AcDbDatabase*> live;
  return live;
}

}  // namespace

AcDbDatabase::AcDbDatabase(bool, bool) {
  {
    std::lock_guard<std::mutex> lock(registryMutex());
    registry().insert(this);
  }
  buildDefaultDrawing();
}

AcDbDatabase::~AcDbDatabase() {
  {
    std::lock_guard<std::mutex> lock(registryMutex());
    registry().erase(this);
  }
  if (acdbHostApplicationServices()->workingDatabase() == this) acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  // Detach every object first so that none of them is taken for one deleted
  // behind the database's back, then delete them.
  for (const uv::ObjectSlot& slot : m_slots)
    if (slot.object) uv::DbAccess::attach(*slot.object, nullptr);
  m_slots.clear();
  m_undo.reset();
}

uv::ObjectSlot::ObjectSlot(AcDbDatabase* db, std::uint64_t h) : database(db), handle(h) {}

uv::UndoLog& AcDbDatabase::undoLog() {
  if (!m_undo) m_undo = std::make_unique<uv::UndoLog>(*this);
  return *m_undo;
}

const uv::UndoLog& AcDbDatabase::undoLog() const { return const_cast<AcDbDatabase*>(this)->undoLog(); }

void AcDbDatabase::keepForUndo(uv::ObjectSlot& slot) { m_undo->changing(slot); }

AcDbDatabase::SlotNode AcDbDatabase::takeSlot(uv::ObjectSlot* slot) {
  auto it = m_slots.find(slot->handle);
  return it == m_slots.end() || &*it != slot ? SlotNode() : m_slots.extract(it);
}

void AcDbDatabase::putSlot(SlotNode slot) {
  if (!slot.empty()) m_slots.insert(std::move(slot));
}

void AcDbDatabase::retireSlot(SlotNode slot) {
  if (!slot.empty()) m_retired.push_back(std::move(slot));
}

bool AcDbDatabase::isLive(const AcDbDatabase* db) {
  std::lock_guard<std::mutex> lock(registryMutex());
  return registry().count(db) != 0;
}

void AcDbDatabase::buildDefaultDrawing() {
  auto addClosed = [this](AcDbObject* o) {
    AcDbObjectId id;
    addAcDbObject(id, o);
    uv::DbAccess::closeFully(*o);
    return id;
  };
  m_blockTable = addClosed(new AcDbBlockTable);
  m_layerTable = addClosed(new AcDbLayerTable);
  m_linetypeTable = addClosed(new AcDbLinetypeTable);
  m_textStyleTable = addClosed(new AcDbTextStyleTable);
  m_regAppTable = addClosed(new AcDbRegAppTable);
  m_nod = addClosed(new AcDbDictionary);

  auto* nod = uv::DbAccess::peekAs<AcDbDictionary>(m_nod);
  uv::DbAccess::openForWrite(*nod);
  auto* groups = new AcDbDictionary;
  nod->setAt(L"ACAD_GROUP", groups, m_groupDictionary);
  uv::DbAccess::closeFully(*groups);
  uv::DbAccess::closeFully(*nod);

  auto addRecord = [](AcDbObjectId tableId, AcDbSymbolTableRecord* rec, const ACHAR* name) {
    auto* table = uv::DbAccess::peekAs<AcDbSymbolTable>(tableId);
    uv::DbAccess::openForWrite(*table);
    rec->setName(name);
    AcDbObjectId id;
    table->add(id, rec);
    uv::DbAccess::closeFully(*rec);
    uv::DbAccess::closeFully(*table);
    return id;
  };
  m_byBlock = addRecord(m_linetypeTable, new AcDbLinetypeTableRecord, L"ByBlock");
  m_byLayer = addRecord(m_linetypeTable, new AcDbLinetypeTableRecord, L"ByLayer");
  auto* continuous = new AcDbLinetypeTableRecord;
  continuous->setComments(L"Solid line");
  m_continuous = addRecord(m_linetypeTable, continuous, L"Continuous");
  m_layerZero = addRecord(m_layerTable, new AcDbLayerTableRecord, L"0");
  m_standard = addRecord(m_textStyleTable, new AcDbTextStyleTableRecord, L"Standard");
  m_acadApp = addRecord(m_regAppTable, new AcDbRegAppTableRecord, L"ACAD");
  m_clayer = m_layerZero;
  m_celtype = m_byLayer;
  m_textstyle = m_standard;
  // Last: their BLOCK/ENDBLK markers take the current layer and linetype.
  m_modelSpace = addRecord(m_blockTable, new AcDbBlockTableRecord, ACDB_MODEL_SPACE);
  m_paperSpace = addRecord(m_blockTable, new AcDbBlockTableRecord, ACDB_PAPER_SPACE);
}

uv::ObjectSlot* AcDbDatabase::findSlot(std::uint64_t handle) const {
  auto it = m_slots.find(handle);
  return it == m_slots.end() ? nullptr : held(*it);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* obj) {
  AcDbObjectId id;
  return addAcDbObject(id, obj);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& id, AcDbObject* obj) {
  if (!obj) return Acad::eNullEntityPointer;
  if (uv::DbAccess::slot(*obj)) return Acad::eAlreadyInDb;
  const std::uint64_t preset = obj->presetHandleValue().value();
  // Without a preset handle the object takes the seed's handle; its slot
  // exists only when restoreNew() kept it.
  const std::uint64_t wanted = preset ? preset : m_handseed;
  // Objects mostly take handles above every slot (a drawing being drawn, a
  // file read in handle order): no slot to look for then.
  uv::ObjectSlot* slot = !m_slots.empty() && wanted > m_slots.rbegin()->handle ? nullptr : findSlot(wanted);
  if (slot && slot->object) return Acad::eHandleExists;
  if (const Acad::ErrorStatus es = uv::DbAccess::prepareAdd(*obj, this); es != Acad::eOk) return es;
  // Handles never wrap: the last one is kept free so that the seed above it
  // is representable.
  if (preset >= kHandleLimit || (!preset && m_handseed >= kHandleLimit)) return Acad::eOutOfMemory;
  const bool newHandle = !slot;
  if (!slot) {
    const std::uint64_t handle = preset ? preset : m_handseed;
    slot = held(*m_slots.emplace_hint(m_slots.end(), this, handle));
  }
  m_handseed = std::max(m_handseed, slot->handle + 1);
  slot->object.reset(obj);
  uv::DbAccess::attach(*obj, slot);
  if (m_undoStep) m_undo->added(*slot, newHandle);
  uv::DbAccess::openForWrite(*obj);
  id = AcDbObjectId(slot);
  uv::DbAccess::added(*obj);
  return Acad::eOk;
}

namespace {
template <class T>
Acad::ErrorStatus openAs(T*& out, AcDbObjectId id, AcDb::OpenMode mode) {
  return acdbOpenObject(out, id, mode);
}
}  // namespace

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode mode) const { return openAs(t, m_blockTable, mode); }
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode mode) const { return openAs(t, m_layerTable, mode); }
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& t, AcDb::OpenMode mode) const { return openAs(t, m_linetypeTable, mode); }
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& t, AcDb::OpenMode mode) const { return openAs(t, m_textStyleTable, mode); }
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& t, AcDb::OpenMode mode) const { return openAs(t, m_regAppTable, mode); }
Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& d, AcDb::OpenMode mode) const { return openAs(d, m_nod, mode); }
Acad::ErrorStatus AcDbDatabase::getGroupDictionary(AcDbDictionary*& d, AcDb::OpenMode mode) const { return openAs(d, m_groupDictionary, mode); }

namespace {
// eOk when id is a live record of class Rec in db.
template <class Rec>
Acad::ErrorStatus liveRecord(const AcDbDatabase* db, AcDbObjectId id, Rec*& rec) {
  rec = uv::DbAccess::peekAs<Rec>(id);
  if (!rec) return Acad::eInvalidInput;
  if (id.database() != db) return Acad::eWrongDatabase;
  return rec->isErased() ? Acad::eWasErased : Acad::eOk;
}
}  // namespace

Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId layer) {
  AcDbLayerTableRecord* rec = nullptr;
  Acad::ErrorStatus es = liveRecord(this, layer, rec);
  if (es == Acad::eOk && rec->isFrozen()) es = Acad::eInvalidInput;
  if (es == Acad::eOk) m_clayer = layer;
  return es;
}

Acad::ErrorStatus AcDbDatabase::setCeltype(AcDbObjectId linetype) {
  AcDbLinetypeTableRecord* rec = nullptr;
  const Acad::ErrorStatus es = liveRecord(this, linetype, rec);
  if (es == Acad::eOk) m_celtype = linetype;
  return es;
}

Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId style) {
  AcDbTextStyleTableRecord* rec = nullptr;
  const Acad::ErrorStatus es = liveRecord(this, style, rec);
  if (es == Acad::eOk) m_textstyle = style;
  return es;
}

Acad::ErrorStatus AcDbDatabase::setCelweight(AcDb::LineWeight weight) {
  if (!AcDbEntity::isValidLineWeight(weight)) return Acad::eInvalidInput;
  m_celweight = weight;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setHandseed(const AcDbHandle& seed) {
  if (seed.value() < m_handseed || seed.value() > kHandleLimit) return Acad::eInvalidInput;
  m_handseed = seed.value();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::resetHandseed(const AcDbHandle& seed) {
  const std::uint64_t above = m_slots.empty() ? 1 : m_slots.rbegin()->handle + 1;
  if (seed.value() < above || seed.value() > kHandleLimit) return Acad::eInvalidInput;
  m_handseed = seed.value();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                                Adesk::UInt32) {
  id.setNull();
  if (handle.isNull()) return Acad::eInvalidInput;
  uv::ObjectSlot* slot = findSlot(handle.value());
  if (!slot) {
    if (!createIfNotFound) return Acad::eKeyNotFound;
    if (handle.value() >= kHandleLimit) return Acad::eOutOfMemory;
    slot = held(*m_slots.emplace_hint(m_slots.end(), this, handle.value()));
    m_handseed = std::max(m_handseed, handle.value() + 1);
    if (m_undoStep) m_undo->added(*slot, true);
  }
  id = AcDbObjectId(slot);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::setObjectHandle(AcDbObjectId id, const AcDbHandle& handle) {
  uv::ObjectSlot* slot = id.slot();
  if (!slot || slot->database != this || !slot->object) return Acad::eInvalidInput;
  if (handle.isNull() || handle.value() >= kHandleLimit) return Acad::eInvalidInput;
  if (slot->handle == handle.value()) return Acad::eOk;
  if (findSlot(handle.value())) return Acad::eHandleExists;
  auto node = m_slots.extract(m_slots.find(slot->handle));
  node.value().handle = handle.value();
  m_slots.insert(std::move(node));
  m_handseed = std::max(m_handseed, handle.value() + 1);
  return Acad::eOk;
}

std::vector<AcDbObjectId> AcDbDatabase::objectIds(bool includeErased) const {
  std::vector<AcDbObjectId> ids;
  ids.reserve(m_slots.size());
  for (const uv::ObjectSlot& slot : m_slots)
    if (slot.object && (includeErased || !slot.object->isErased())) ids.emplace_back(held(slot));
  return ids;
}

std::vector<AcDbObjectId> AcDbDatabase::reservedIds() const {
  std::vector<AcDbObjectId> ids;
  for (const uv::ObjectSlot& slot : m_slots)
    if (!slot.object) ids.emplace_back(held(slot));
  return ids;
}

void AcDbDatabase::restoreNew(const std::vector<std::pair<AcDbObjectId, AcDbHandle>>& fresh) {
  // Nothing of the rebuild is a step to undo, and the history before it
  // names objects that are gone: it starts anew.
  m_undoStep = 0;
  std::vector<SlotNode> kept;
  std::set<const uv::ObjectSlot*> keep;
  for (const auto& [id, handle] : fresh)
    if (id.slot() && id.slot()->database == this) keep.insert(id.slot());
  for (const uv::ObjectSlot& slot : m_slots)
    if (slot.object) uv::DbAccess::attach(*slot.object, nullptr);
  for (auto it = m_slots.begin(); it != m_slots.end();) {
    const auto next = std::next(it);
    if (keep.count(&*it)) kept.push_back(m_slots.extract(it));
    it = next;
  }
  m_slots.clear();
  for (SlotNode& node : kept) node.value().object.reset();
  for (const auto& [id, handle] : fresh) {
    for (SlotNode& node : kept) {
      if (node.empty() || &node.value() != id.slot()) continue;
      node.value().handle = handle.value();
      node.value().step = 0;
      m_slots.insert(std::move(node));
      break;
    }
  }
  m_handseed = 1;
  m_celweight = AcDb::kLnWtByLayer;
  m_extents = AcDbExtents();
  m_kept = uv::KeptFileParts();
  buildDefaultDrawing();
  if (m_undo) m_undo->clear();
}

bool AcDbDatabase::isBuiltInObject(AcDbObjectId id) const {
  if (id.isNull()) return false;
  for (const AcDbObjectId& b : {m_blockTable, m_layerTable, m_linetypeTable, m_textStyleTable, m_regAppTable, m_nod,
                                m_groupDictionary, m_modelSpace, m_paperSpace, m_layerZero, m_byLayer, m_byBlock,
                                m_continuous, m_standard, m_acadApp, m_clayer, m_celtype, m_textstyle})
    if (b == id) return true;
  return false;
}

Acad::ErrorStatus AcDbDatabase::getFilename(const ACHAR*& name) const {
  name = m_filename.c_str();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::updateExt(bool) {
  m_extents = AcDbExtents();
  auto* ms = uv::DbAccess::peekAs<AcDbBlockTableRecord>(m_modelSpace);
  if (!ms) return Acad::eInvalidInput;
  for (AcDbObject* o : ms->entities()) {
    AcDbExtents e;
    if (auto* ent = AcDbEntity::cast(o); ent && ent->getGeomExtents(e) == Acad::eOk) m_extents.addExt(e);
  }
  return Acad::eOk;
}
