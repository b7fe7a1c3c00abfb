#include "db/dxf/DxfLoader.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

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
#include "db/AcDbRawEntity.h"
#include "db/AcDbRawObject.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbXrecord.h"
#include "db/DbAccess.h"
#include "db/ResbufChain.h"
#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/KeptGroups.h"
#include "db/dxf/RecordSource.h"
#include "db/dxf/ResItemCodec.h"
#include "db/dxf/WipeoutCodec.h"

namespace uv::dxf {

namespace {

// Handles of a file stay below this so that new objects always find free
// handles above them (the database's handles never wrap).
constexpr std::uint64_t kMaxFileHandle = 0x8000000000000000ull;
constexpr int kMaxDictionaryDepth = 10000;
constexpr int kMaxBlockDepth = 64;

std::string hexText(std::uint64_t h) {
  char hex[32];
  std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(h));
  return hex;
}

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
  bool foreign = false;  // after the marker of another kind's subclass: kept, not read
  for (const Group& g : rec.body()) {
    if (g.code == 100) {
      foreign = isForeignMarker(rec.type, g.value());
      key = nullptr;
    }
    if (foreign) continue;
    if (g.code == 3) key = &g;
    else if ((g.code == 350 || g.code == 360) && key) {
      out.push_back({codec.decode(key->value()), parseHandle(g), key->line});
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
  loadRawTables();
  checkBlockNesting();
  loadBlocks();
  if (m_doc.streamed.empty()) {
    HeldRecords records(m_doc.entities);
    loadEntities(m_db.modelSpaceId(), records, true);
  }
  for (const StreamedSection& section : m_doc.streamed) {
    StreamedRecords records(*m_doc.source, section);
    loadEntities(m_db.modelSpaceId(), records, true);
  }
  loadObjects();
  addRawObjects();
  applyHeader();
  keepFileParts();
}

void DxfLoader::readVersion() {
  const Group* ver = m_doc.headerValue("$ACADVER", 1);
  int number = 0;
  if (ver && ver->value().size() >= 6 && ver->value().compare(0, 2, "AC") == 0) number = std::atoi(std::string(ver->value().substr(2)).c_str());
  m_codec = TextCodec(number >= 1021);
  m_r12 = number > 0 && number <= 1009;
}

void DxfLoader::collectHandles() {
  // Every record's handle with its place in the order below, sorted once.
  struct Noted {
    std::uint64_t handle;
    size_t order;
    int line;
    const std::string* type;
  };
  std::vector<Noted> noted;
  auto note = [&noted](const DxfRecord& rec) {
    if (const std::uint64_t h = rec.ownHandle()) noted.push_back({h, noted.size(), rec.line, &rec.type});
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
  if (m_doc.entityHandleError) throw *m_doc.entityHandleError;
  noted.reserve(noted.size() + m_doc.entityHandles.size() + m_doc.objects.size());
  for (const NotedHandle& n : m_doc.entityHandles) noted.push_back({n.handle, noted.size(), n.line, n.type});
  for (const DxfRecord& r : m_doc.objects) {
    note(r);
    if (const std::uint64_t h = r.ownHandle()) m_objectsByHandle[h] = &r;
  }
  // The first record in that order whose handle is too large or taken by an
  // earlier one is the one named.
  std::optional<Noted> tooLarge;  // a copy: the sort below moves the records noted
  for (const Noted& n : noted)
    if (n.handle >= kMaxFileHandle) {
      tooLarge = n;
      break;
    }
  std::sort(noted.begin(), noted.end(),
            [](const Noted& a, const Noted& b) { return a.handle != b.handle ? a.handle < b.handle : a.order < b.order; });
  const Noted* again = nullptr;
  const Noted* first = nullptr;
  for (size_t i = 1; i < noted.size(); ++i)
    if (noted[i].handle == noted[i - 1].handle && (!again || noted[i].order < again->order)) {
      again = &noted[i];
      first = &noted[i - 1];
    }
  if (tooLarge && (!again || tooLarge->order <= again->order))
    throw DxfError(tooLarge->line, "handle " + hexText(tooLarge->handle) + " of " + *tooLarge->type +
                                            " is too large: handles must stay below " + hexText(kMaxFileHandle) +
                                            " so that new objects find free handles");
  if (again)
    throw DxfError(again->line, "handle " + hexText(again->handle) + " of " + *again->type +
                                    " is already used by the object at line " + std::to_string(first->line));
  m_fileHandles.reserve(noted.size());
  for (const Noted& n : noted) m_fileHandles.emplace_back(n.handle, n.line);
  // New objects the database makes by itself (block markers, SEQENDs) take
  // handles above the file's, so that no file object finds its handle taken.
  if (!m_fileHandles.empty()) {
    const std::uint64_t above = m_fileHandles.back().first + 1;
    if (above > m_db.handseed().value()) m_db.setHandseed(AcDbHandle(above));
  }
}

int DxfLoader::fileHandleLine(std::uint64_t handle) const {
  const auto it = std::lower_bound(m_fileHandles.begin(), m_fileHandles.end(), handle,
                                   [](const auto& entry, std::uint64_t h) { return entry.first < h; });
  return it != m_fileHandles.end() && it->first == handle ? it->second : 0;
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
          if (equalsNoCase(blockName(b.begin), rec->nameText())) {
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
  auto moveAside = [this](AcDbObjectId id) { return m_db.setObjectHandle(id, m_db.handseed()) == Acad::eOk; };
  // Objects the file has no counterpart of step aside when the file uses their handle.
  std::vector<std::pair<AcDbObjectId, std::uint64_t>> pending;
  for (const auto& [id, h] : wanted) {
    if (!h && fileHandleLine(id.handle().value()) > 0) moveAside(id);
    else if (h && h != id.handle().value()) pending.emplace_back(id, h);
  }
  // The others take their file handles. A cycle (A wants B's handle and B
  // wants A's) is broken by moving one of them aside first; a handle the file
  // gives two of them goes to one, and the other keeps a handle of its own.
  while (!pending.empty()) {
    bool progress = false;
    for (auto it = pending.begin(); it != pending.end();) {
      if (isFree(it->second)) {
        rehandle(it->first, it->second, fileHandleLine(it->second));
        it = pending.erase(it);
        progress = true;
      } else {
        ++it;
      }
    }
    if (progress) continue;
    AcDbObjectId holder;
    m_db.getAcDbObjectId(holder, false, AcDbHandle(pending.front().second));
    const bool holderMoves =
        std::any_of(pending.begin(), pending.end(), [&](const auto& p) { return p.first == holder; });
    if (holderMoves && moveAside(holder)) continue;
    mend("handle given to two objects (one took another)");
    pending.erase(pending.begin());
  }
}

std::wstring DxfLoader::blockName(const DxfRecord& rec) const {
  std::wstring n = name(rec);
  // R12 files name the two spaces with a dollar.
  if (m_r12 && equalsNoCase(n, L"$MODEL_SPACE")) n = ACDB_MODEL_SPACE;
  if (m_r12 && equalsNoCase(n, L"$PAPER_SPACE")) n = ACDB_PAPER_SPACE;
  return n;
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
  // Entities come in runs on one layer: the last answer is asked again and again.
  if (!m_lastLayerId.isNull() && n == m_lastLayer) return m_lastLayerId;
  const AcDbObjectId id = namedOrNew<AcDbLayerTableRecord>(m_db.layerTableId(), n, "LAYER", line);
  m_lastLayer = n;
  m_lastLayerId = id;
  return id;
}

AcDbObjectId DxfLoader::linetypeNamed(const std::wstring& n, int line) {
  if (!m_lastLinetypeId.isNull() && n == m_lastLinetype) return m_lastLinetypeId;
  const AcDbObjectId id = namedOrNew<AcDbLinetypeTableRecord>(m_db.linetypeTableId(), n, "LTYPE", line);
  m_lastLinetype = n;
  m_lastLinetypeId = id;
  return id;
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
    const std::wstring n = name(r);
    // Entries of another kind, without a name or with a name given twice are kept as they came.
    if (r.type != "LTYPE" || n.empty() || !seen.insert(foldedKey(n)).second) {
      addRawObject(r, m_db.linetypeTableId());
      continue;
    }
    AcDbObjectId id = symbol(m_db.linetypeTableId(), n);
    if (id.isNull()) id = addRecord<AcDbLinetypeTableRecord>(m_db.linetypeTableId(), n, r);
    AcDbObjectPointer<AcDbLinetypeTableRecord> lt(id, AcDb::kForWrite);
    lt->setComments(m_codec.decode(r.text(3)).c_str());
    std::vector<double> dashes;
    for (const Group& g : r.body())
      if (g.code == 49) dashes.push_back(parseReal(g));
    lt->setNumDashes(int(dashes.size()));
    for (size_t i = 0; i < dashes.size(); ++i) lt->setDashLengthAt(int(i), dashes[i]);
    lt->setPatternLength(r.real(40));
    lt.close();
    keepFileData(id, r);
  }
}

void DxfLoader::loadLayers() {
  const DxfTable* t = m_doc.table("LAYER");
  if (!t) return;
  std::set<std::wstring> seen;
  for (const DxfRecord& r : t->records) {
    const std::wstring n = name(r);
    if (r.type != "LAYER" || n.empty() || !seen.insert(foldedKey(n)).second) {
      addRawObject(r, m_db.layerTableId());
      continue;
    }
    AcDbObjectId id = symbol(m_db.layerTableId(), n);
    if (id.isNull()) id = addRecord<AcDbLayerTableRecord>(m_db.layerTableId(), n, r);
    const AcDbObjectId linetype = linetypeNamed(r.has(6) ? m_codec.decode(r.text(6)) : L"Continuous", r.line);
    AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
    const long long color = r.integer(62, 7);
    AcCmColor c;
    // Compared before negating: the smallest integer has no positive counterpart.
    const bool inRange = (color >= 1 && color <= 255) || (color >= -255 && color <= -1);
    c.setColorIndex(Adesk::UInt16(inRange ? (color < 0 ? -color : color) : 7));
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
    keepFileData(id, r);
  }
}

void DxfLoader::loadTextStyles() {
  const DxfTable* t = m_doc.table("STYLE");
  if (!t) return;
  std::set<std::wstring> seen;
  for (const DxfRecord& r : t->records) {
    const std::wstring n = name(r);
    // Shape files are listed as styles without a name; the drawing keeps
    // them (and styles of a name given twice) as they came.
    if (r.type != "STYLE" || n.empty() || (r.integer(70) & 1) || !seen.insert(foldedKey(n)).second) {
      addRawObject(r, m_db.textStyleTableId());
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
    keepFileData(id, r);
  }
}

void DxfLoader::loadRegApps() {
  const DxfTable* t = m_doc.table("APPID");
  if (!t) return;
  std::set<std::wstring> seen;
  for (const DxfRecord& r : t->records) {
    const std::wstring n = name(r);
    if (r.type != "APPID" || n.empty() || !seen.insert(foldedKey(n)).second) {
      addRawObject(r, m_db.regAppTableId());
      continue;
    }
    AcDbObjectId id = symbol(m_db.regAppTableId(), n);
    if (id.isNull()) id = addRecord<AcDbRegAppTableRecord>(m_db.regAppTableId(), n, r);
    keepFileData(id, r);
  }
}

void DxfLoader::loadBlockRecords() {
  const DxfTable* t = m_doc.table("BLOCK_RECORD");
  if (!t) return;
  std::set<std::wstring> seen;
  for (const DxfRecord& r : t->records) {
    const std::wstring n = name(r);
    if (r.type != "BLOCK_RECORD" || n.empty() || !seen.insert(foldedKey(n)).second) {
      addRawObject(r, m_db.blockTableId());
      continue;
    }
    AcDbObjectId id = symbol(m_db.blockTableId(), n);
    if (id.isNull()) id = addRecord<AcDbBlockTableRecord>(m_db.blockTableId(), n, r);
    keepFileData(id, r);
  }
}

void DxfLoader::loadBlocks() {
  // Every block first, then their entities: a block may insert one the
  // file defines after it.
  std::vector<AcDbObjectId> ids;
  for (const DxfBlock& b : m_doc.blocks) {
    const std::wstring n = blockName(b.begin);
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
      keepFileData(begin, b.begin);
      keepFileData(end, b.end);
    }
    ids.push_back(id);
  }
  for (size_t i = 0; i < ids.size(); ++i) {
    HeldRecords records(m_doc.blocks[i].entities);
    loadEntities(ids[i], records, false);
  }
}

void DxfLoader::loadEntities(AcDbObjectId defaultOwner, RecordSource& records, bool entitiesSection) {
  std::vector<const DxfRecord*> children;
  for (const DxfRecord* next = records.next(); next; records.letGo(), next = records.next()) {
    const DxfRecord& rec = *next;
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
      children.clear();
      const DxfRecord* end = nullptr;
      while (records.peekType() == childType) children.push_back(records.next());
      if ((!children.empty() || rec.integer(66) == 1 || rec.type == "POLYLINE") && records.peekType() == "SEQEND")
        end = records.next();
      if (rec.type == "POLYLINE" && EntityReader::isMesh(rec)) {
        // Meshes are kept as they came, with their vertices and SEQEND.
        addRawEntity(owner, rec);
        for (const DxfRecord* child : children) addRawEntity(owner, *child);
        if (end) addRawEntity(owner, *end);
        continue;
      }
      const AcDbObjectId id = addEntity(owner, rec, m_entities.read(rec));
      addSequence(id, children, end, rec.type == "POLYLINE" && (rec.integer(70) & 8));
    } else if (rec.type == "VERTEX" || rec.type == "ATTRIB" || rec.type == "SEQEND") {
      addRawEntity(owner, rec);  // without its owner: kept as it came
    } else if (auto entity = m_entities.read(rec)) {
      addEntity(owner, rec, std::move(entity));
    } else {
      addRawEntity(owner, rec);
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
  if (h) m_loaded.emplace_back(h, id);
  keepFileData(id, rec);
  return id;
}

AcDbObjectId DxfLoader::addRawEntity(AcDbObjectId owner, const DxfRecord& rec) {
  auto e = std::make_unique<AcDbRawEntity>(rec.type, rawGroupsOf(rec, m_codec));
  // The layer and linetype are the database's, so that renaming a layer
  // carries over and the checker sees the references.
  e->setLayer(layerNamed(rec.has(8) ? m_codec.decode(rec.text(8)) : L"0", rec.line), false);
  e->setLinetype(linetypeNamed(rec.has(6) ? m_codec.decode(rec.text(6)) : L"ByLayer", rec.line), false);
  return addEntity(owner, rec, std::move(e));
}

AcDbObjectId DxfLoader::addRawObject(const DxfRecord& rec, AcDbObjectId owner) {
  auto* o = new AcDbRawObject(rec.type, rawGroupsOf(rec, m_codec));
  if (const std::uint64_t h = rec.ownHandle()) o->presetHandle(AcDbHandle(h));
  AcDbObjectId id;
  if (const Acad::ErrorStatus es = m_db.addAcDbObject(id, o); es != Acad::eOk) {
    delete o;
    fail(rec.line, rec.type + " cannot be kept", es);
  }
  if (!owner.isNull()) o->setOwnerId(owner);
  o->close();
  return id;
}

void DxfLoader::loadRawTables() {
  const struct {
    const char* name;
    AcDbObjectId id;
  } modelled[] = {{"LTYPE", m_db.linetypeTableId()},
                  {"LAYER", m_db.layerTableId()},
                  {"STYLE", m_db.textStyleTableId()},
                  {"APPID", m_db.regAppTableId()},
                  {"BLOCK_RECORD", m_db.blockTableId()}};
  std::set<std::string> seen;
  for (const DxfTable& t : m_doc.tables) {
    const std::string n(t.head.text(2));
    AcDbObjectId tableId;
    for (const auto& m : modelled)
      if (n == m.name && seen.insert(n).second) tableId = m.id;
    if (!tableId.isNull()) {
      keepFileData(tableId, t.head);
      continue;
    }
    // The VPORT, VIEW, UCS and DIMSTYLE tables (and a table given twice)
    // are kept whole, their entries owned by the table's head.
    const AcDbObjectId head = addRawObject(t.head, AcDbObjectId());
    for (const DxfRecord& r : t.records) addRawObject(r, head);
  }
}

void DxfLoader::checkBlockNesting() {
  // Which blocks each block inserts, by folded name.
  std::map<std::wstring, std::vector<std::pair<std::wstring, int>>> inserts;
  std::map<std::wstring, std::wstring> spelling;
  for (const DxfBlock& b : m_doc.blocks) {
    const std::wstring n = foldedKey(blockName(b.begin));
    spelling[n] = blockName(b.begin);
    auto& out = inserts[n];
    for (const DxfRecord& r : b.entities)
      if (r.type == "INSERT") out.emplace_back(foldedKey(m_codec.decode(r.text(2))), r.line);
  }
  // Depth-first with an explicit stack: 0 unseen, 1 on the path, 2 done.
  std::map<std::wstring, int> state;
  std::map<std::wstring, int> depth;  // levels of blocks below, itself included
  for (const auto& [startName, _] : inserts) {
    if (state[startName] == 2) continue;
    std::vector<std::pair<std::wstring, size_t>> path{{startName, 0}};
    state[startName] = 1;
    while (!path.empty()) {
      auto& [current, next] = path.back();
      const auto& children = inserts[current];
      if (next < children.size()) {
        const auto& [child, line] = children[next++];
        if (!inserts.count(child)) continue;  // an undefined block: the reader reports it
        if (state[child] == 1) {
          std::string chain;
          bool on = false;
          for (const auto& p : path) {
            on = on || p.first == child;
            if (on) chain += narrow(spelling[p.first]) + " > ";
          }
          throw DxfError(line, "block '" + narrow(spelling[child]) + "' holds itself (" + chain +
                                   narrow(spelling[child]) + "); a block may not contain itself");
        }
        if (state[child] == 0) {
          state[child] = 1;
          path.emplace_back(child, 0);
        }
        continue;
      }
      int below = 0;
      for (const auto& c : children)
        if (inserts.count(c.first)) below = std::max(below, depth[c.first]);
      depth[current] = below + 1;
      state[current] = 2;
      if (depth[current] > kMaxBlockDepth)
        throw DxfError(0, "blocks nest deeper than " + std::to_string(kMaxBlockDepth) + " levels (block '" +
                              narrow(spelling[current]) + "')");
      path.pop_back();
    }
  }
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
  const std::uint64_t block = owner->ownerId().handle().value();
  owner.close();
  if (end && !endId.isNull()) {
    rehandle(endId, end->ownHandle(), end->line);
    added.emplace_back(endId, end);
  }
  for (const auto& [id, rec] : added) {
    keepFileData(id, *rec);
    // Some writers name the block of the polyline or insert as the owner:
    // the file's owner is kept (after the head's braces) for the writer,
    // which then names the block the polyline is in when saved.
    if (rec->ownerHandle() != block || block == ownerId.handle().value()) continue;
    AcDbObjectPointer<AcDbEntity> child(id, AcDb::kForWrite);
    uv::RawGroups kept = child->keptGroups();
    const auto at = std::find_if(kept.begin(), kept.end(), [](const uv::RawGroup& g) { return g.code == 100; });
    kept.insert(at, {330, toUtf8(AcDbHandle(block).text())});
    child->setKeptGroups(std::move(kept));
  }
}

void DxfLoader::keepFileData(AcDbObjectId id, const DxfRecord& rec) {
  {
    AcDbObjectPointer<AcDbObject> obj(id, AcDb::kForWrite);
    if (obj.openStatus() != Acad::eOk) fail(rec.line, "the " + rec.type + " cannot be opened", obj.openStatus());
    // Raw objects hold the whole record already.
    if (AcDbRawEntity::cast(obj.object()) || AcDbRawObject::cast(obj.object())) return;
    obj->setKeptGroups(keptGroupsOf(rec, m_codec));
  }
  applyXData(id, rec);
}

namespace {

// Extended data of text, integers and reals only, as tags are: millions of
// records in a drawing of a shown surface.
bool plainXData(std::span<const Group> groups) {
  for (const Group& g : groups) {
    if (g.code == 1001) continue;
    switch (resvalKind(g.code)) {
      case ResvalKind::kString:
      case ResvalKind::kReal:
      case ResvalKind::kShort:
      case ResvalKind::kLong:
      case ResvalKind::kInt64: break;
      default: return false;
    }
  }
  return true;
}

}  // namespace

void DxfLoader::applyXData(AcDbObjectId id, const DxfRecord& rec) {
  const size_t start = rec.xdataStart();
  if (start >= rec.groups.size()) return;
  // The applications' names as registered, one for each 1001 group.
  thread_local std::vector<const std::wstring*> apps;
  apps.clear();
  for (size_t i = start; i < rec.groups.size();) {
    const Group& app = rec.groups[i];
    size_t next = i + 1;
    while (next < rec.groups.size() && rec.groups[next].code != 1001) ++next;
    auto known = m_appNames.find(app.value());
    if (known == m_appNames.end()) {
      const std::wstring decoded = m_codec.decode(app.value());
      // Data of an application the file forgot to register is kept all the same.
      namedOrNew<AcDbRegAppTableRecord>(m_db.regAppTableId(), decoded, "APPID", app.line);
      known = m_appNames.emplace(std::string(app.value()), decoded).first;
    }
    apps.push_back(&known->second);
    for (size_t k = i + 1; k < next; ++k)
      if (rec.groups[k].code < 1000)
        throw DxfError(rec.groups[k].line, "group code " + std::to_string(rec.groups[k].code) +
                                               " inside the extended data of " + rec.type);
    i = next;
  }
  const std::span<const Group> groups = rec.groups.subspan(start);
  uv::ResbufChain general;
  const resbuf* chain = nullptr;
  // Plain data goes to the object through a chain built in place, the
  // values pointing at texts kept here; anything else as items first.
  thread_local std::vector<resbuf> plain;
  thread_local std::vector<std::wstring> texts;
  if (plainXData(groups)) {
    plain.assign(groups.size(), resbuf{});
    texts.clear();
    texts.reserve(groups.size());  // the chain points into them: they must not move
    size_t app = 0;
    for (size_t k = 0; k < groups.size(); ++k) {
      const Group& g = groups[k];
      resbuf& rb = plain[k];
      rb.restype = g.code;
      if (k + 1 < groups.size()) rb.rbnext = &plain[k + 1];
      if (g.code == 1001) {
        rb.resval.rstring = const_cast<wchar_t*>(apps[app++]->c_str());
        continue;
      }
      switch (resvalKind(g.code)) {
        case ResvalKind::kString:
          rb.resval.rstring = texts.emplace_back(m_codec.decode(g.value())).data();
          break;
        case ResvalKind::kReal: rb.resval.rreal = parseReal(g); break;
        case ResvalKind::kShort: rb.resval.rint = short(parseInteger(g)); break;
        case ResvalKind::kLong: rb.resval.rlong = std::int32_t(parseInteger(g)); break;
        default: rb.resval.rlong64 = parseInteger(g); break;
      }
    }
    chain = plain.data();
  } else {
    ResItems items;
    size_t app = 0;
    for (size_t i = 0; i < groups.size();) {
      size_t next = i + 1;
      while (next < groups.size() && groups[next].code != 1001) ++next;
      items.push_back(ResItem::ofString(1001, *apps[app++]));
      ResItems data = readItems(groups, i + 1, next, m_codec, [](std::uint64_t, const Group& g) -> AcDbObjectId {
        throw DxfError(g.line, "a reference where extended data holds none");
      });
      items.insert(items.end(), data.begin(), data.end());
      i = next;
    }
    general.reset(chainFromItems(items));
    chain = general.get();
  }
  AcDbObjectPointer<AcDbObject> obj(id, AcDb::kForWrite);
  const Acad::ErrorStatus es = obj.openStatus() == Acad::eOk ? obj->setXData(chain) : obj.openStatus();
  if (es != Acad::eOk) fail(rec.groups[start].line, "the extended data of " + rec.type + " is not valid", es);
}

AcDbObjectId DxfLoader::resolve(std::uint64_t handle) {
  AcDbObjectId id;
  if (handle) m_db.getAcDbObjectId(id, true, AcDbHandle(handle));
  return id;
}

void DxfLoader::loadObjects() {
  // Every entity is in by now; a handle given twice keeps its last entity.
  std::stable_sort(m_loaded.begin(), m_loaded.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  const DxfRecord* root = nullptr;
  for (const DxfRecord& r : m_doc.objects)
    if (r.type == "DICTIONARY" && r.ownerHandle() == 0) {
      root = &r;
      break;
    }
  if (!root) return;
  m_placed.insert(root->ownHandle());
  // A worklist, not recursion: dictionaries may nest deeply.
  std::vector<std::tuple<AcDbObjectId, const DxfRecord*, int>> todo{{m_db.namedObjectsDictionaryId(), root, 0}};
  while (!todo.empty()) {
    const auto [dictId, rec, depth] = todo.back();
    todo.pop_back();
    loadDictionaryEntries(dictId, *rec, depth, todo);
  }
}

void DxfLoader::loadDictionaryEntries(AcDbObjectId dictId, const DxfRecord& rec, int depth,
                                      std::vector<std::tuple<AcDbObjectId, const DxfRecord*, int>>& todo) {
  keepFileData(dictId, rec);
  for (const Entry& e : entriesOf(rec, m_codec)) {
    auto it = m_objectsByHandle.find(e.handle);
    if (it == m_objectsByHandle.end()) {
      mend("dictionary entry naming no object");
      continue;
    }
    const DxfRecord& target = *it->second;
    if (!m_placed.insert(e.handle).second)
      throw DxfError(e.line, "dictionary entry '" + narrow(e.key) + "' names " + target.type + " " +
                                 hexText(e.handle) + ", which is filed already (a dictionary holding itself, or an "
                                 "object in two dictionaries)");
    if (target.type == "DICTIONARY" && depth + 1 > kMaxDictionaryDepth)
      throw DxfError(target.line, "dictionaries nest deeper than " + std::to_string(kMaxDictionaryDepth) + " levels");
    if (dictId == m_db.namedObjectsDictionaryId() && e.key == L"ACAD_GROUP" &&
        m_db.groupDictionaryId().handle().value() == e.handle) {
      // The drawing's own group dictionary, filed again here so that the
      // entries keep the file's order when saved.
      AcDbObjectPointer<AcDbDictionary> nod(dictId, AcDb::kForWrite);
      AcDbObjectId groups;
      if (nod->remove(e.key.c_str(), groups) == Acad::eOk) {
        AcDbObjectPointer<AcDbDictionary> groupDict(groups, AcDb::kForWrite);
        AcDbObjectId refiled;
        const Acad::ErrorStatus es = nod->setAt(e.key.c_str(), groupDict.object(), refiled);
        if (es != Acad::eOk) fail(target.line, "the group dictionary cannot be filed again", es);
      }
      todo.emplace_back(m_db.groupDictionaryId(), &target, depth + 1);
      continue;
    }
    // Owned here until its dictionary takes it: a malformed group below
    // throws, and the object must not be left behind.
    std::unique_ptr<AcDbObject> made;
    if (target.type == "DICTIONARY") {
      made = std::make_unique<AcDbDictionary>();
    } else if (target.type == "GROUP") {
      auto g = std::make_unique<AcDbGroup>(m_codec.decode(target.text(300)).c_str(), target.integer(71, 1) != 0);
      bool foreign = false;  // as in entriesOf()
      for (const Group& m : target.body()) {
        if (m.code == 100) foreign = isForeignMarker(target.type, m.value());
        if (foreign || m.code != 340) continue;
        const std::uint64_t h = parseHandle(m);
        auto member = std::upper_bound(m_loaded.begin(), m_loaded.end(), h,
                                       [](std::uint64_t v, const auto& entry) { return v < entry.first; });
        if (member == m_loaded.begin() || (--member)->first != h) mend("group member naming no entity");
        else g->append(member->second);
      }
      made = std::move(g);
    } else if (target.type == "WIPEOUTVARIABLES") {
      auto vars = std::make_unique<AcDbWipeoutVariables>();
      readWipeoutVariables(target, *vars);
      made = std::move(vars);
    } else if (target.type == "XRECORD") {
      made = std::make_unique<AcDbXrecord>();
    } else {
      made = std::make_unique<AcDbRawObject>(target.type, rawGroupsOf(target, m_codec));
    }
    made->presetHandle(AcDbHandle(e.handle));
    AcDbObject* obj = made.get();
    AcDbObjectId id;
    {
      AcDbObjectPointer<AcDbDictionary> dict(dictId, AcDb::kForWrite);
      const Acad::ErrorStatus es = dict->setAt(e.key.c_str(), obj, id);
      if (es != Acad::eOk)
        fail(target.line, target.type + " '" + narrow(e.key) + "' cannot be filed in its dictionary", es);
      made.release();
    }
    if (auto* x = AcDbXrecord::cast(obj)) {
      const size_t begin = xrecordDataStart(target);
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
    const bool raw = AcDbRawObject::cast(obj) != nullptr;
    obj->close();
    if (target.type == "DICTIONARY") todo.emplace_back(id, &target, depth + 1);
    else if (!raw) keepFileData(id, target);
  }
}

void DxfLoader::addRawObjects() {
  // Objects no dictionary of the drawing files (extension dictionaries and
  // what they hold, image definitions' reactors...) join on their own, and
  // then find their owners.
  m_objectOrder.reserve(m_doc.objects.size());
  for (const DxfRecord& r : m_doc.objects) {
    const std::uint64_t h = r.ownHandle();
    if (h && m_placed.count(h)) {
      m_objectOrder.push_back(h);
      continue;
    }
    const AcDbObjectId id = addRawObject(r, AcDbObjectId());
    // By the handle it has now: one the file did not give it is still one of its objects.
    m_objectOrder.push_back(id.handle().value());
    m_rawOwners.emplace_back(id, r.ownerHandle());
  }
  for (const auto& [id, ownerHandle] : m_rawOwners) {
    AcDbObjectId owner;
    if (!ownerHandle || m_db.getAcDbObjectId(owner, false, AcDbHandle(ownerHandle)) != Acad::eOk) continue;
    if (!DbAccess::peek(owner)) continue;  // a handle only reserved: no object
    AcDbObjectPointer<AcDbObject> obj(id, AcDb::kForWrite);
    obj->setOwnerId(owner);
  }
}

void DxfLoader::keepFileParts() {
  uv::KeptFileParts& kept = m_db.keptFileParts();
  if (const Group* ver = m_doc.headerValue("$ACADVER", 1)) kept.version = ver->value();
  for (const std::string& n : m_doc.headerOrder) kept.header.push_back({n, rawGroupsOf(m_doc.header.at(n), m_codec)});
  for (const DxfRecord& r : m_doc.classes) kept.classes.push_back({r.type, rawGroupsOf(r, m_codec)});
  for (const DxfSection& sec : m_doc.otherSections) kept.sections.push_back({sec.name, rawGroupsOf(sec.groups, m_codec)});
  kept.objectOrder = std::move(m_objectOrder);
}

void DxfLoader::applyHeader() {
  auto value = [this](const char* n, int code) -> std::wstring {
    const Group* g = m_doc.headerValue(n, code);
    return g ? m_codec.decode(g->value()) : std::wstring();
  };
  if (const std::wstring n = value("$CLAYER", 8); !n.empty()) {
    const Group* g = m_doc.headerValue("$CLAYER", 8);
    if (const Acad::ErrorStatus es = m_db.setClayer(layerNamed(n, g->line)); es != Acad::eOk)
      fail(g->line + 1, "the current layer cannot be set", es);
  }
  for (const auto& [n, rec] : m_frozenLayers) {
    AcDbObjectPointer<AcDbLayerTableRecord> layer(symbol(m_db.layerTableId(), n), AcDb::kForWrite);
    // The current layer cannot be frozen; a file that says so keeps it thawed.
    if (layer->objectId() == m_db.clayer()) mend("frozen flag of the current layer (cleared)");
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
  // The file's seed, unless a handle in use lies above it (then the one
  // above the largest). Objects made while reading (and handed file
  // handles later) do not move it, so that a drawing opened and saved keeps
  // its seed. A seed beyond the handles a file may use is only a hint.
  std::uint64_t seed = 0;
  if (const Group* g = m_doc.headerValue("$HANDSEED", 5)) seed = parseHandle(*g);
  if (seed > kMaxFileHandle || m_db.resetHandseed(AcDbHandle(seed)) != Acad::eOk) {
    const std::vector<AcDbObjectId> ids = m_db.objectIds(true), reserved = m_db.reservedIds();
    std::uint64_t top = 0;
    for (const auto* list : {&ids, &reserved})
      for (const AcDbObjectId& id : *list) top = std::max(top, id.handle().value());
    m_db.resetHandseed(AcDbHandle(top + 1));
  }
}

}  // namespace uv::dxf
