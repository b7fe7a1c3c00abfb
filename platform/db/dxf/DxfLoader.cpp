#include "db/dxf/DxfLoader.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/TextCase.h"
#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbXrecord.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/ResItemCodec.h"
#include "db/dxf/WipeoutCodec.h"

namespace uv::dxf {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

std::string narrow(const std::wstring& s) { return toUtf8(s); }

// Names of one table compare ignoring letter case.
std::wstring foldedKey(const std::wstring& s) {
  std::wstring out;
  for (wchar_t c : s) out += foldCase(c);
  return out;
}

[[noreturn]] void fail(int line, const std::string& what, Acad::ErrorStatus es) {
  throw DxfError(line, what + " (" + Acad::statusText(es) + ")");
}

// The (key, handle) entries of a DICTIONARY record.
struct Entry {
  std::wstring key;
  std::uint64_t handle;
  int line;
};

std::vector<Entry> entriesOf(const DxfRecord& rec, const TextCodec& codec) {
  std::vector<Entry> out;
  const Group* key = nullptr;
  for (const Group& g : rec.groups) {
    if (g.code == 3) key = &g;
    else if ((g.code == 350 || g.code == 360) && key) {
      out.push_back({codec.decode(key->value), parseHandle(g), key->line});
      key = nullptr;
    }
  }
  return out;
}

// Adds a new record of the name to the table, with the file's handle.
template <class Rec>
AcDbObjectId addRecord(AcDbObjectId tableId, const std::wstring& name, const DxfRecord& rec) {
  AcDbObjectPointer<AcDbSymbolTable> table(tableId, AcDb::kForWrite);
  if (table.openStatus() != Acad::eOk) fail(rec.line, "cannot open the table for " + rec.type, table.openStatus());
  auto* r = new Rec;
  if (const std::uint64_t h = rec.ownHandle()) r->presetHandle(h);
  Acad::ErrorStatus es = r->setName(name.c_str());
  AcDbObjectId id;
  if (es == Acad::eOk) es = table->add(id, r);
  if (es != Acad::eOk) {
    delete r;
    fail(rec.line, rec.type + " '" + narrow(name) + "' cannot be added", es);
  }
  r->close();
  return id;
}

}  // namespace

DxfLoader::DxfLoader(const DxfDocument& doc, AcDbDatabase& db, Result& result)
    : m_doc(doc),
      m_db(db),
      m_result(result),
      m_entities(m_codec, SymbolLookup{[this](const std::wstring& n, int l) { return layerNamed(n, l); },
                                       [this](const std::wstring& n, int l) { return linetypeNamed(n, l); },
                                       [this](const std::wstring& n, int l) { return styleNamed(n, l); },
                                       [this](const std::wstring& n, int l) { return blockNamed(n, l); }}) {}

void DxfLoader::run() {
  readVersion();
  collectHandles();
  moveDefaultObjects();
  loadLinetypes();
  loadLayers();
  loadTextStyles();
  loadRegApps();
  loadBlockRecords();
  loadBlocks();
  loadEntities(m_db.modelSpaceId(), m_doc.entities, true);
  loadObjects();
  applyHeader();
}

void DxfLoader::readVersion() {
  const Group* ver = m_doc.headerValue("$ACADVER", 1);
  int number = 0;
  if (ver && ver->value.size() >= 6 && ver->value.compare(0, 2, "AC") == 0) number = std::atoi(ver->value.c_str() + 2);
  m_codec = TextCodec(number >= 1021);
}

void DxfLoader::collectHandles() {
  auto note = [this](const DxfRecord& rec) {
    const std::uint64_t h = rec.ownHandle();
    if (!h) return;
    auto [it, fresh] = m_fileHandles.emplace(h, rec.line);
    if (!fresh) {
      char hex[32];
      std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(h));
      throw DxfError(rec.line, std::string("handle ") + hex + " of " + rec.type + " is already used by the object at line " +
                                   std::to_string(it->second));
    }
  };
  for (const DxfTable& t : m_doc.tables) {
    note(t.head);
    for (const DxfRecord& r : t.records) note(r);
  }
  for (const DxfBlock& b : m_doc.blocks) {
    note(b.begin);
    for (const DxfRecord& r : b.entities) note(r);
    note(b.end);
  }
  for (const DxfRecord& r : m_doc.entities) note(r);
  for (const DxfRecord& r : m_doc.objects) {
    note(r);
    if (const std::uint64_t h = r.ownHandle()) m_objectsByHandle[h] = &r;
  }
  // New objects the database makes by itself (block markers, SEQENDs) take
  // handles above the file's, so that no file object finds its handle taken.
  if (!m_fileHandles.empty()) {
    const std::uint64_t above = m_fileHandles.rbegin()->first + 1;
    if (above > m_db.handseed().value()) m_db.setHandseed(AcDbHandle(above));
  }
}

void DxfLoader::rehandle(AcDbObjectId id, std::uint64_t handle, int line) {
  if (!handle || id.isNull() || id.handle().value() == handle) return;
  if (const Acad::ErrorStatus es = m_db.setObjectHandle(id, AcDbHandle(handle)); es != Acad::eOk)
    fail(line, "the object of handle " + narrow(AcDbHandle(handle).text()) + " cannot take it", es);
}

void DxfLoader::moveDefaultObjects() {
  std::map<AcDbObjectId, std::uint64_t> wanted;
  for (const AcDbObjectId& id : m_db.objectIds(true)) wanted[id] = 0;

  const struct {
    AcDbObjectId table;
    const char* name;
  } tables[] = {{m_db.blockTableId(), "BLOCK_RECORD"}, {m_db.layerTableId(), "LAYER"},
                {m_db.linetypeTableId(), "LTYPE"},     {m_db.textStyleTableId(), "STYLE"},
                {m_db.regAppTableId(), "APPID"}};
  for (const auto& t : tables) {
    const DxfTable* file = m_doc.table(t.name);
    if (!file) continue;
    wanted[t.table] = file->head.ownHandle();
    AcDbObjectPointer<AcDbSymbolTable> table(t.table);
    for (const AcDbObjectId& recId : table->recordIds()) {
      AcDbObjectPointer<AcDbSymbolTableRecord> rec(recId);
      for (const DxfRecord& r : file->records)
        if (equalsNoCase(name(r), rec->nameText())) {
          wanted[recId] = r.ownHandle();
          break;
        }
      if (auto* btr = AcDbBlockTableRecord::cast(rec.object()))
        for (const DxfBlock& b : m_doc.blocks)
          if (equalsNoCase(name(b.begin), rec->nameText())) {
            wanted[btr->blockBeginId()] = b.begin.ownHandle();
            wanted[btr->blockEndId()] = b.end.ownHandle();
            break;
          }
    }
  }
  for (const DxfRecord& r : m_doc.objects)
    if (r.type == "DICTIONARY" && r.ownerHandle() == 0) {
      wanted[m_db.namedObjectsDictionaryId()] = r.ownHandle();
      for (const Entry& e : entriesOf(r, m_codec))
        if (e.key == L"ACAD_GROUP") {
          auto it = m_objectsByHandle.find(e.handle);
          if (it != m_objectsByHandle.end() && it->second->type == "DICTIONARY")
            wanted[m_db.groupDictionaryId()] = e.handle;
        }
      break;
    }

  auto isFree = [this](std::uint64_t h) {
    AcDbObjectId tmp;
    return m_db.getAcDbObjectId(tmp, false, AcDbHandle(h)) != Acad::eOk;
  };
  auto moveAside = [this](AcDbObjectId id) { m_db.setObjectHandle(id, m_db.handseed()); };
  // Objects the file has no counterpart of step aside when the file uses their handle.
  std::vector<std::pair<AcDbObjectId, std::uint64_t>> pending;
  for (const auto& [id, h] : wanted) {
    if (!h && m_fileHandles.count(id.handle().value())) moveAside(id);
    else if (h && h != id.handle().value()) pending.emplace_back(id, h);
  }
  // The others take their file handles; a cycle (A wants B's handle and B
  // wants A's) is broken by moving one of them aside first.
  while (!pending.empty()) {
    bool progress = false;
    for (auto it = pending.begin(); it != pending.end();) {
      if (isFree(it->second)) {
        rehandle(it->first, it->second, m_fileHandles[it->second]);
        it = pending.erase(it);
        progress = true;
      } else {
        ++it;
      }
    }
    if (!progress) moveAside(pending.front().first);
  }
}

AcDbObjectId DxfLoader::symbol(AcDbObjectId tableId, const std::wstring& n) const {
  AcDbObjectPointer<AcDbSymbolTable> table(tableId);
  AcDbObjectId id;
  if (table.openStatus() == Acad::eOk) table->getAt(n.c_str(), id);
  return id;
}

template <class Rec>
AcDbObjectId DxfLoader::namedOrNew(AcDbObjectId tableId, const std::wstring& n, const char* type, int line) {
  AcDbObjectId id = symbol(tableId, n);
  if (id.isNull()) {
    DxfRecord named;
    named.type = type;
    named.line = line;
    id = addRecord<Rec>(tableId, n, named);
  }
  return id;
}

AcDbObjectId DxfLoader::layerNamed(const std::wstring& n, int line) {
  return namedOrNew<AcDbLayerTableRecord>(m_db.layerTableId(), n, "LAYER", line);
}

AcDbObjectId DxfLoader::linetypeNamed(const std::wstring& n, int line) {
  return namedOrNew<AcDbLinetypeTableRecord>(m_db.linetypeTableId(), n, "LTYPE", line);
}

AcDbObjectId DxfLoader::styleNamed(const std::wstring& n, int line) {
  return namedOrNew<AcDbTextStyleTableRecord>(m_db.textStyleTableId(), n, "STYLE", line);
}

AcDbObjectId DxfLoader::blockNamed(const std::wstring& n, int line) {
  AcDbObjectId id = symbol(m_db.blockTableId(), n);
  if (id.isNull()) throw DxfError(line, "INSERT names block '" + narrow(n) + "', which the file does not define");
  return id;
}

void DxfLoader::loadLinetypes() {
  const DxfTable* t = m_doc.table("LTYPE");
  if (!t) return;
  std::set<std::wstring> seen;
  for (const DxfRecord& r : t->records) {
    if (r.type != "LTYPE") continue;
    const std::wstring n = name(r);
    if (!seen.insert(foldedKey(n)).second) {
      skip("LTYPE (duplicate name)");
      continue;
    }
    AcDbObjectId id = symbol(m_db.linetypeTableId(), n);
    if (id.isNull()) id = addRecord<AcDbLinetypeTableRecord>(m_db.linetypeTableId(), n, r);
    AcDbObjectPointer<AcDbLinetypeTableRecord> lt(id, AcDb::kForWrite);
    lt->setComments(m_codec.decode(r.text(3)).c_str());
    std::vector<double> dashes;
    for (const Group& g : r.groups)
      if (g.code == 49) dashes.push_back(parseReal(g));
    lt->setNumDashes(int(dashes.size()));
    for (size_t i = 0; i < dashes.size(); ++i) lt->setDashLengthAt(int(i), dashes[i]);
    lt->setPatternLength(r.real(40));
    lt.close();
    applyXData(id, r);
  }
}

void DxfLoader::loadLayers() {
  const DxfTable* t = m_doc.table("LAYER");
  if (!t) return;
  std::set<std::wstring> seen;
  for (const DxfRecord& r : t->records) {
    if (r.type != "LAYER") continue;
    const std::wstring n = name(r);
    if (!seen.insert(foldedKey(n)).second) {
      skip("LAYER (duplicate name)");
      continue;
    }
    AcDbObjectId id = symbol(m_db.layerTableId(), n);
    if (id.isNull()) id = addRecord<AcDbLayerTableRecord>(m_db.layerTableId(), n, r);
    const AcDbObjectId linetype = linetypeNamed(r.has(6) ? m_codec.decode(r.text(6)) : L"Continuous", r.line);
    AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
    const long long color = r.integer(62, 7);
    AcCmColor c;
    c.setColorIndex(Adesk::UInt16(std::llabs(color) >= 1 && std::llabs(color) <= 255 ? std::llabs(color) : 7));
    layer->setColor(c);
    layer->setIsOff(color < 0);
    const long long flags = r.integer(70);
    layer->setIsLocked(flags & 4);
    if (const Acad::ErrorStatus es = layer->setLinetypeObjectId(linetype); es != Acad::eOk)
      fail(r.line, "layer '" + narrow(n) + "' cannot take its linetype", es);
    const long long weight = r.integer(370, AcDb::kLnWtByLwDefault);
    if (AcDbEntity::isValidLineWeight(int(weight)) && weight != AcDb::kLnWtByLayer && weight != AcDb::kLnWtByBlock)
      layer->setLineWeight(AcDb::LineWeight(weight));
    layer->setIsPlottable(r.integer(290, 1) != 0);
    layer.close();
    // Frozen last: the current layer is known only once the header is applied.
    if (flags & 1) m_frozenLayers.emplace_back(n, &r);
    applyXData(id, r);
  }
}

void DxfLoader::loadTextStyles() {
  const DxfTable* t = m_doc.table("STYLE");
  if (!t) return;
  std::set<std::wstring> seen;
  for (const DxfRecord& r : t->records) {
    if (r.type != "STYLE") continue;
    const std::wstring n = name(r);
    // Shape files are listed as styles without a name; the drawing has no shapes.
    if (n.empty() || (r.integer(70) & 1)) {
      skip("STYLE (shape file)");
      continue;
    }
    if (!seen.insert(foldedKey(n)).second) {
      skip("STYLE (duplicate name)");
      continue;
    }
    AcDbObjectId id = symbol(m_db.textStyleTableId(), n);
    if (id.isNull()) id = addRecord<AcDbTextStyleTableRecord>(m_db.textStyleTableId(), n, r);
    AcDbObjectPointer<AcDbTextStyleTableRecord> style(id, AcDb::kForWrite);
    style->setTextSize(r.real(40));
    if (r.real(41, 1) > 0) style->setXScale(r.real(41, 1));
    style->setObliquingAngle(r.real(50) * kDegree);
    style->setFileName(m_codec.decode(r.text(3)).c_str());
    style->setBigFontFileName(m_codec.decode(r.text(4)).c_str());
    style.close();
    applyXData(id, r);
  }
}

void DxfLoader::loadRegApps() {
  const DxfTable* t = m_doc.table("APPID");
  if (!t) return;
  for (const DxfRecord& r : t->records) {
    if (r.type != "APPID") continue;
    const std::wstring n = name(r);
    AcDbObjectId id = symbol(m_db.regAppTableId(), n);
    if (id.isNull()) id = addRecord<AcDbRegAppTableRecord>(m_db.regAppTableId(), n, r);
    applyXData(id, r);
  }
}

void DxfLoader::loadBlockRecords() {
  const DxfTable* t = m_doc.table("BLOCK_RECORD");
  if (!t) return;
  for (const DxfRecord& r : t->records) {
    if (r.type != "BLOCK_RECORD") continue;
    const std::wstring n = name(r);
    AcDbObjectId id = symbol(m_db.blockTableId(), n);
    if (id.isNull()) id = addRecord<AcDbBlockTableRecord>(m_db.blockTableId(), n, r);
    applyXData(id, r);
  }
}

void DxfLoader::loadBlocks() {
  for (const DxfBlock& b : m_doc.blocks) {
    const std::wstring n = name(b.begin);
    // Files without a BLOCK_RECORD table (R12) define blocks here only.
    AcDbObjectId id = symbol(m_db.blockTableId(), n);
    if (id.isNull()) id = namedOrNew<AcDbBlockTableRecord>(m_db.blockTableId(), n, "BLOCK", b.begin.line);
    {
      AcDbObjectPointer<AcDbBlockTableRecord> btr(id, AcDb::kForWrite);
      btr->setOrigin(AcGePoint3d(b.begin.real(10), b.begin.real(20), b.begin.real(30)));
      if (b.begin.has(4)) btr->setComments(m_codec.decode(b.begin.text(4)).c_str());
      const AcDbObjectId begin = btr->blockBeginId(), end = btr->blockEndId();
      btr.close();
      rehandle(begin, b.begin.ownHandle(), b.begin.line);
      rehandle(end, b.end.ownHandle(), b.end.line);
    }
    loadEntities(id, b.entities, false);
  }
}

void DxfLoader::loadEntities(AcDbObjectId defaultOwner, const std::vector<DxfRecord>& records, bool entitiesSection) {
  for (size_t i = 0; i < records.size(); ++i) {
    const DxfRecord& rec = records[i];
    AcDbObjectId owner = defaultOwner;
    if (entitiesSection) {
      if (rec.integer(67) == 1) owner = m_db.paperSpaceId();
      if (const std::uint64_t h = rec.ownerHandle()) {
        AcDbObjectId named;
        if (m_db.getAcDbObjectId(named, false, AcDbHandle(h)) == Acad::eOk &&
            AcDbObjectPointer<AcDbBlockTableRecord>(named).openStatus() == Acad::eOk)
          owner = named;
      }
    }
    if (rec.type == "POLYLINE" || rec.type == "INSERT") {
      const char* childType = rec.type == "POLYLINE" ? "VERTEX" : "ATTRIB";
      std::vector<const DxfRecord*> children;
      const DxfRecord* end = nullptr;
      size_t j = i + 1;
      while (j < records.size() && records[j].type == childType) children.push_back(&records[j++]);
      if ((!children.empty() || rec.integer(66) == 1 || rec.type == "POLYLINE") && j < records.size() &&
          records[j].type == "SEQEND")
        end = &records[j++];
      i = j - 1;
      if (rec.type == "POLYLINE" && EntityReader::isMesh(rec)) {
        skip("POLYLINE (mesh)");
        continue;
      }
      const AcDbObjectId id = addEntity(owner, rec, m_entities.read(rec));
      addSequence(id, children, end, rec.type == "POLYLINE" && (rec.integer(70) & 8));
    } else if (rec.type == "VERTEX" || rec.type == "ATTRIB" || rec.type == "SEQEND") {
      skip(rec.type + " (without its owner)");
    } else if (auto entity = m_entities.read(rec)) {
      addEntity(owner, rec, std::move(entity));
    } else {
      skip(rec.type);
    }
  }
}

AcDbObjectId DxfLoader::addEntity(AcDbObjectId owner, const DxfRecord& rec, std::unique_ptr<AcDbEntity> entity) {
  const std::uint64_t h = rec.ownHandle();
  if (h) entity->presetHandle(AcDbHandle(h));
  AcDbObjectPointer<AcDbBlockTableRecord> btr(owner, AcDb::kForWrite);
  if (btr.openStatus() != Acad::eOk) fail(rec.line, "the block of " + rec.type + " cannot be opened", btr.openStatus());
  AcDbObjectId id;
  AcDbEntity* raw = entity.release();
  if (const Acad::ErrorStatus es = btr->appendAcDbEntity(id, raw); es != Acad::eOk) {
    delete raw;
    fail(rec.line, rec.type + " cannot be added to its block", es);
  }
  raw->close();
  btr.close();
  if (h) m_loaded[h] = id;
  applyXData(id, rec);
  return id;
}

void DxfLoader::addSequence(AcDbObjectId ownerId, const std::vector<const DxfRecord*>& children, const DxfRecord* end,
                            bool is3d) {
  AcDbObjectPointer<AcDbEntity> owner(ownerId, AcDb::kForWrite);
  auto* poly2d = AcDb2dPolyline::cast(owner.object());
  auto* poly3d = AcDb3dPolyline::cast(owner.object());
  auto* insert = AcDbBlockReference::cast(owner.object());
  std::vector<std::pair<AcDbObjectId, const DxfRecord*>> added;
  for (const DxfRecord* rec : children) {
    AcDbObjectId id;
    Acad::ErrorStatus es = Acad::eOk;
    AcDbEntity* child = nullptr;
    if (insert) {
      auto a = m_entities.attribute(*rec);
      if (const std::uint64_t h = rec->ownHandle()) a->presetHandle(AcDbHandle(h));
      child = a.get();
      es = insert->appendAttribute(id, a.get());
      if (es == Acad::eOk) a.release();
    } else {
      auto v = m_entities.vertex(*rec, is3d);
      if (const std::uint64_t h = rec->ownHandle()) v->presetHandle(AcDbHandle(h));
      child = v.get();
      es = poly3d ? poly3d->appendVertex(id, static_cast<AcDb3dPolylineVertex*>(v.get()))
                  : poly2d->appendVertex(id, static_cast<AcDb2dVertex*>(v.get()));
      if (es == Acad::eOk) v.release();
    }
    if (es != Acad::eOk) fail(rec->line, rec->type + " cannot be added to its owner", es);
    child->close();
    added.emplace_back(id, rec);
  }
  AcDbSequenceEnd* seqEnd = nullptr;
  Acad::ErrorStatus es = Acad::eNotApplicable;
  if (insert) es = insert->openSequenceEnd(seqEnd, AcDb::kForRead);
  else if (poly2d) es = poly2d->openSequenceEnd(seqEnd, AcDb::kForRead);
  else if (poly3d) es = poly3d->openSequenceEnd(seqEnd, AcDb::kForRead);
  AcDbObjectId endId;
  if (es == Acad::eOk) {
    endId = seqEnd->objectId();
    seqEnd->close();
  }
  owner.close();
  if (end && !endId.isNull()) rehandle(endId, end->ownHandle(), end->line);
  for (const auto& [id, rec] : added) applyXData(id, *rec);
}

void DxfLoader::applyXData(AcDbObjectId id, const DxfRecord& rec) {
  const size_t start = rec.xdataStart();
  if (start >= rec.groups.size()) return;
  ResItems items;
  for (size_t i = start; i < rec.groups.size();) {
    const Group& app = rec.groups[i];
    size_t next = i + 1;
    while (next < rec.groups.size() && rec.groups[next].code != 1001) ++next;
    const std::wstring appName = m_codec.decode(app.value);
    // Data of an application the file forgot to register is kept all the same.
    namedOrNew<AcDbRegAppTableRecord>(m_db.regAppTableId(), appName, "APPID", app.line);
    for (size_t k = i + 1; k < next; ++k)
      if (rec.groups[k].code < 1000)
        throw DxfError(rec.groups[k].line, "group code " + std::to_string(rec.groups[k].code) +
                                               " inside the extended data of " + rec.type);
    items.push_back(ResItem::ofString(1001, appName));
    ResItems data = readItems(rec.groups, i + 1, next, m_codec, [](std::uint64_t, const Group& g) -> AcDbObjectId {
      throw DxfError(g.line, "a reference where extended data holds none");
    });
    items.insert(items.end(), data.begin(), data.end());
    i = next;
  }
  resbuf* chain = chainFromItems(items);
  AcDbObjectPointer<AcDbObject> obj(id, AcDb::kForWrite);
  const Acad::ErrorStatus es = obj.openStatus() == Acad::eOk ? obj->setXData(chain) : obj.openStatus();
  acutRelRb(chain);
  if (es != Acad::eOk) fail(rec.groups[start].line, "the extended data of " + rec.type + " is not valid", es);
}

AcDbObjectId DxfLoader::resolve(std::uint64_t handle) {
  AcDbObjectId id;
  if (handle) m_db.getAcDbObjectId(id, true, AcDbHandle(handle));
  return id;
}

bool DxfLoader::isSkippedTree(const DxfRecord& rec, std::set<std::uint64_t>& path) const {
  if (rec.type == "XRECORD" || rec.type == "GROUP" || rec.type == "WIPEOUTVARIABLES") return false;
  if (rec.type != "DICTIONARY") return true;
  const std::vector<Entry> entries = entriesOf(rec, m_codec);
  if (entries.empty() || !path.insert(rec.ownHandle()).second) return false;
  bool all = true;
  for (const Entry& e : entries) {
    auto it = m_objectsByHandle.find(e.handle);
    if (it != m_objectsByHandle.end() && !isSkippedTree(*it->second, path)) all = false;
  }
  path.erase(rec.ownHandle());
  return all;
}

void DxfLoader::loadObjects() {
  for (const DxfRecord& r : m_doc.objects)
    if (r.type == "DICTIONARY" && r.ownerHandle() == 0) {
      std::set<std::uint64_t> path;
      loadDictionary(m_db.namedObjectsDictionaryId(), r, path);
      return;
    }
}

void DxfLoader::loadDictionary(AcDbObjectId dictId, const DxfRecord& rec, std::set<std::uint64_t>& path) {
  path.insert(rec.ownHandle());
  applyXData(dictId, rec);
  for (const Entry& e : entriesOf(rec, m_codec)) {
    auto it = m_objectsByHandle.find(e.handle);
    if (it == m_objectsByHandle.end()) {
      skip("dictionary entry without its object");
      continue;
    }
    const DxfRecord& target = *it->second;
    if (dictId == m_db.namedObjectsDictionaryId() && e.key == L"ACAD_GROUP" &&
        m_db.groupDictionaryId().handle().value() == e.handle) {
      loadDictionary(m_db.groupDictionaryId(), target, path);
      continue;
    }
    std::set<std::uint64_t> probe = path;
    if (isSkippedTree(target, probe)) {
      skip(target.type == "DICTIONARY" ? "DICTIONARY (of kinds not kept)" : target.type);
      continue;
    }
    if (target.type == "DICTIONARY" && path.count(e.handle))
      throw DxfError(target.line, "dictionary " + narrow(e.key) + " contains itself");

    AcDbObject* obj = nullptr;
    if (target.type == "DICTIONARY") {
      obj = new AcDbDictionary;
    } else if (target.type == "GROUP") {
      auto* g = new AcDbGroup(m_codec.decode(target.text(300)).c_str(), target.integer(71, 1) != 0);
      for (const Group& m : target.groups) {
        if (m.code != 340) continue;
        auto member = m_loaded.find(parseHandle(m));
        if (member == m_loaded.end()) skip("group member not loaded");
        else g->append(member->second);
      }
      obj = g;
    } else if (target.type == "WIPEOUTVARIABLES") {
      auto* vars = new AcDbWipeoutVariables;
      readWipeoutVariables(target, *vars);
      obj = vars;
    } else {
      obj = new AcDbXrecord;
    }
    obj->presetHandle(AcDbHandle(e.handle));
    AcDbObjectId id;
    {
      AcDbObjectPointer<AcDbDictionary> dict(dictId, AcDb::kForWrite);
      const Acad::ErrorStatus es = dict->setAt(e.key.c_str(), obj, id);
      if (es != Acad::eOk) {
        delete obj;
        fail(target.line, target.type + " '" + narrow(e.key) + "' cannot be filed in its dictionary", es);
      }
    }
    if (auto* x = AcDbXrecord::cast(obj)) {
      // Data follows the subclass marker and the cloning flag (280) after it.
      size_t begin = 0;
      for (size_t k = 0; k < target.groups.size(); ++k)
        if (target.groups[k].code == 100) begin = k + 1;
      if (begin == 0)
        while (begin < target.groups.size() &&
               (target.groups[begin].code == 5 || target.groups[begin].code == 330 || target.groups[begin].code == 102))
          ++begin;
      if (begin < target.groups.size() && target.groups[begin].code == 280 && begin > 0 &&
          target.groups[begin - 1].code == 100)
        ++begin;
      const ResItems items = readItems(target.groups, begin, target.xdataStart(), m_codec,
                                       [this](std::uint64_t h, const Group&) { return resolve(h); });
      for (const ResItem& item : items)
        if (!AcDbXrecord::isXrecordCode(item.code))
          throw DxfError(target.line, "XRECORD holds group code " + std::to_string(item.code));
      if (!items.empty()) {
        resbuf* chain = chainFromItems(items);
        const Acad::ErrorStatus es = x->setFromRbChain(*chain);
        acutRelRb(chain);
        if (es != Acad::eOk) fail(target.line, "XRECORD data cannot be kept", es);
      }
    }
    obj->close();
    if (target.type == "DICTIONARY") loadDictionary(id, target, path);
    else applyXData(id, target);
  }
  path.erase(rec.ownHandle());
}

void DxfLoader::applyHeader() {
  auto value = [this](const char* n, int code) -> std::wstring {
    const Group* g = m_doc.headerValue(n, code);
    return g ? m_codec.decode(g->value) : std::wstring();
  };
  if (const std::wstring n = value("$CLAYER", 8); !n.empty()) {
    const Group* g = m_doc.headerValue("$CLAYER", 8);
    if (const Acad::ErrorStatus es = m_db.setClayer(layerNamed(n, g->line)); es != Acad::eOk)
      fail(g->line + 1, "the current layer cannot be set", es);
  }
  for (const auto& [n, rec] : m_frozenLayers) {
    AcDbObjectPointer<AcDbLayerTableRecord> layer(symbol(m_db.layerTableId(), n), AcDb::kForWrite);
    // The current layer cannot be frozen; a file that says so keeps it thawed.
    if (layer->objectId() == m_db.clayer()) skip("frozen flag of the current layer");
    else if (const Acad::ErrorStatus es = layer->setIsFrozen(true); es != Acad::eOk)
      fail(rec->line, "layer '" + narrow(n) + "' cannot be frozen", es);
  }
  if (const std::wstring n = value("$CELTYPE", 6); !n.empty())
    m_db.setCeltype(linetypeNamed(n, m_doc.headerValue("$CELTYPE", 6)->line));
  if (const std::wstring n = value("$TEXTSTYLE", 7); !n.empty())
    m_db.setTextstyle(styleNamed(n, m_doc.headerValue("$TEXTSTYLE", 7)->line));
  if (const Group* g = m_doc.headerValue("$CELWEIGHT", 370)) {
    const long long w = parseInteger(*g);
    if (AcDbEntity::isValidLineWeight(int(w))) m_db.setCelweight(AcDb::LineWeight(w));
  }
  if (const Group* g = m_doc.headerValue("$HANDSEED", 5)) {
    const std::uint64_t seed = parseHandle(*g);
    if (seed > m_db.handseed().value()) m_db.setHandseed(AcDbHandle(seed));
  }
}

}  // namespace uv::dxf
