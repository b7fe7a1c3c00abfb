#include "db/dxf/DxfSaver.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "base/TextCase.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbRawEntity.h"
#include "db/AcDbRawObject.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbXrecord.h"
#include "db/DbAccess.h"
#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/EntityWriter.h"
#include "db/dxf/GroupWriter.h"
#include "db/dxf/ResItemCodec.h"
#include "db/dxf/WipeoutCodec.h"

namespace uv::dxf {

namespace {

class Saver {
 public:
  Saver(const AcDbDatabase& db, std::ostream& out)
      : m_db(db), m_out(out), m_entities(m_out), m_next(db.handseed().value()) {}

  void run() {
    collectRaw();
    // Handles of what the file needs and the drawing does not hold.
    for (const char* name : {"VPORT", "VIEW", "UCS", "DIMSTYLE"})
      if (!m_rawTables.count(name)) m_newTables[name] = m_next++;
    auto* nod = DbAccess::peekAs<AcDbDictionary>(m_db.namedObjectsDictionaryId());
    AcDbObjectId layoutDict;
    m_newLayouts = !nod || nod->getAt(L"ACAD_LAYOUT", layoutDict) != Acad::eOk;
    if (m_newLayouts) {
      m_layoutDict = m_next++;
      for (const AcDbObjectId& id : records(m_db.blockTableId())) {
        auto* btr = DbAccess::peekAs<AcDbBlockTableRecord>(id);
        if (btr && btr->isLayout()) m_layouts.push_back({id, m_next++});
      }
    }
    header();
    classes();
    tables();
    blocks();
    entities();
    objects();
    for (const uv::RawRecord& sec : m_db.keptFileParts().sections) {
      section(sec.name.c_str());
      m_out.raw(sec.groups);
      endSection();
    }
    m_out.start("EOF");
    m_out.flush();
  }

 private:
  struct Layout {
    AcDbObjectId block;
    std::uint64_t handle;
  };

  // The raw entries of tables by table, and the raw tables by name. An object
  // of the OBJECTS section stays there, also one that names a table as its
  // owner or is itself a TABLE record.
  void collectRaw() {
    const std::vector<std::uint64_t>& order = m_db.keptFileParts().objectOrder;
    const std::unordered_set<std::uint64_t> fromObjects(order.begin(), order.end());
    for (const AcDbObjectId& id : m_db.objectIds()) {
      auto* raw = DbAccess::peekAs<AcDbRawObject>(id);
      if (!raw) continue;
      if (fromObjects.count(handleOf(id))) continue;
      m_rawChildren[raw->ownerId()].push_back(raw);
      if (raw->dxfName() == "TABLE") m_rawTables.emplace(raw->value(2), raw);
    }
  }

  const std::vector<AcDbRawObject*>& rawChildren(AcDbObjectId owner) const {
    static const std::vector<AcDbRawObject*> none;
    auto it = m_rawChildren.find(owner);
    return it == m_rawChildren.end() ? none : it->second;
  }

  void writeRawObject(const AcDbRawObject& raw) {
    if (!m_written.insert(raw.objectId()).second) return;
    writeRaw(m_out, raw.dxfName(), raw.groups(), raw.objectId(), nullptr);
  }

  // A table the drawing keeps whole (VPORT, DIMSTYLE...) or, when it has
  // none, an empty one.
  void otherTable(const char* name) {
    auto range = m_rawTables.equal_range(name);
    if (range.first == range.second) {
      emptyTable(name, m_newTables.at(name));
      return;
    }
    for (auto it = range.first; it != range.second; ++it) {
      writeRawObject(*it->second);
      for (const AcDbRawObject* entry : rawChildren(it->second->objectId())) writeRawObject(*entry);
      m_out.start("ENDTAB");
    }
  }

  void classes() {
    section("CLASSES");
    bool wipeoutClasses = false;
    for (const uv::RawRecord& c : m_db.keptFileParts().classes) {
      m_out.start(c.name.c_str());
      m_out.raw(c.groups);
      for (const uv::RawGroup& g : c.groups)
        if (g.code == 1 && (g.value == "WIPEOUT" || g.value == "WIPEOUTVARIABLES")) wipeoutClasses = true;
    }
    if (!wipeoutClasses && usesWipeouts()) writeWipeoutClasses(m_out);
    endSection();
  }

  std::vector<AcDbObjectId> records(AcDbObjectId tableId) const {
    std::vector<AcDbObjectId> out;
    if (auto* t = DbAccess::peekAs<AcDbSymbolTable>(tableId))
      for (const AcDbObjectId& id : t->recordIds())
        if (!id.isErased()) out.push_back(id);
    return out;
  }

  // Whether the drawing holds wipeouts or their settings, whose classes a reader needs.
  bool usesWipeouts() const {
    if (auto* nod = DbAccess::peekAs<AcDbDictionary>(m_db.namedObjectsDictionaryId())) {
      AcDbObjectId vars;
      if (nod->getAt(AcDbWipeoutVariables::dictionaryKey(), vars) == Acad::eOk) return true;
    }
    for (const AcDbObjectId& id : records(m_db.blockTableId()))
      if (auto* btr = DbAccess::peekAs<AcDbBlockTableRecord>(id))
        for (AcDbObject* o : btr->entities())
          if (AcDbWipeout::cast(o)) return true;
    return false;
  }

  void section(const char* name) {
    m_out.start("SECTION");
    m_out.text(2, std::string(name));
  }
  void endSection() { m_out.start("ENDSEC"); }

  // The variables of the file read, in its order, with the ones the
  // drawing models given their current values; then those it lacked.
  void header() {
    section("HEADER");
    const uv::KeptFileParts& kept = m_db.keptFileParts();
    // Files before AC1021 are written as AC1021 (UTF-8 text).
    const std::string version = kept.version.size() == 6 && kept.version >= "AC1021" ? kept.version : "AC1021";
    const std::vector<std::pair<std::string, std::function<void()>>> modelled = {
        {"$ACADVER", [&] { m_out.text(1, version); }},
        {"$HANDSEED", [&] { m_out.handle(5, m_next); }},
        {"$CLAYER", [&] { m_out.text(8, recordName(m_db.clayer())); }},
        {"$CELTYPE", [&] { m_out.text(6, recordName(m_db.celtype())); }},
        {"$TEXTSTYLE", [&] { m_out.text(7, recordName(m_db.textstyle())); }},
        {"$CELWEIGHT", [&] { m_out.integer(370, m_db.celweight()); }},
        {"$DWGCODEPAGE", [&] { m_out.text(3, std::string("ANSI_1252")); }},
    };
    std::set<std::string> done;
    auto writeModelled = [&](const std::string& name) {
      for (const auto& [n, write] : modelled)
        if (n == name && done.insert(n).second) {
          m_out.text(9, n);
          write();
          return true;
        }
      return false;
    };
    writeModelled("$ACADVER");
    for (const uv::RawRecord& v : kept.header) {
      if (v.name == "$DWGCODEPAGE" && kept.version >= "AC1021") done.insert(v.name);  // kept as it came
      else if (writeModelled(v.name) || done.count(v.name)) continue;
      m_out.text(9, v.name);
      m_out.raw(v.groups);
    }
    for (const auto& entry : modelled) writeModelled(entry.first);
    endSection();
  }

  void tableHead(const char* name, std::uint64_t handle, size_t count, const uv::RawGroups* kept = nullptr) {
    m_out.setContext(std::string("TABLE ") + name);
    m_out.start("TABLE", kept);
    m_out.text(2, std::string(name));
    m_out.handle(5, handle);
    m_out.handle(330, 0);
    m_out.text(100, std::string("AcDbSymbolTable"));
    m_out.integer(70, static_cast<long long>(count));
  }

  // A modelled table: its head with its kept groups, its records, and the
  // entries kept whole (shape files, names given twice).
  template <class F>
  void modelledTable(const char* name, AcDbObjectId tableId, F writeRecord) {
    const auto ids = records(tableId);
    const auto& raw = rawChildren(tableId);
    auto* table = DbAccess::peek(tableId);
    tableHead(name, handleOf(tableId), ids.size() + raw.size(), table ? &table->keptGroups() : nullptr);
    for (const AcDbObjectId& id : ids) writeRecord(id);
    for (const AcDbRawObject* entry : raw) writeRawObject(*entry);
    m_out.start("ENDTAB");
  }

  void recordHead(const char* type, const AcDbSymbolTableRecord& rec, const char* subclass) {
    m_out.setContext(std::string(type) + " " + toUtf8(rec.nameText()));
    m_out.start(type, &rec.keptGroups());
    m_out.handle(5, handleOf(rec.objectId()));
    m_out.handle(330, handleOf(rec.ownerId()));
    m_out.text(100, std::string("AcDbSymbolTableRecord"));
    m_out.text(100, std::string(subclass));
    m_out.text(2, rec.nameText());
  }

  void emptyTable(const char* name, std::uint64_t handle) {
    tableHead(name, handle, 0);
    if (std::string(name) == "DIMSTYLE") m_out.text(100, std::string("AcDbDimStyleTable"));
    m_out.start("ENDTAB");
  }

  void tables() {
    section("TABLES");
    otherTable("VPORT");

    modelledTable("LTYPE", m_db.linetypeTableId(), [&](AcDbObjectId id) {
      auto* lt = DbAccess::peekAs<AcDbLinetypeTableRecord>(id);
      recordHead("LTYPE", *lt, "AcDbLinetypeTableRecord");
      m_out.integer(70, 0);
      m_out.text(3, std::wstring(lt->commentsConst()));
      m_out.integer(72, 65);
      m_out.integer(73, lt->numDashes());
      m_out.real(40, lt->patternLength());
      for (int i = 0; i < lt->numDashes(); ++i) {
        m_out.real(49, lt->dashLengthAt(i));
        m_out.integer(74, 0);
      }
      writeXData(m_out, *lt);
    });

    modelledTable("LAYER", m_db.layerTableId(), [&](AcDbObjectId id) {
      auto* layer = DbAccess::peekAs<AcDbLayerTableRecord>(id);
      recordHead("LAYER", *layer, "AcDbLayerTableRecord");
      m_out.integer(70, (layer->isFrozen() ? 1 : 0) | (layer->isLocked() ? 4 : 0));
      const int color = layer->color().isByACI() ? layer->color().colorIndex() : 7;
      m_out.integer(62, layer->isOff() ? -color : color);
      const std::wstring linetype = recordName(layer->linetypeObjectId());
      m_out.text(6, linetype.empty() ? std::wstring(L"Continuous") : linetype);
      if (!layer->isPlottable()) m_out.integer(290, 0);
      m_out.integer(370, layer->lineWeight());
      writeXData(m_out, *layer);
    });

    modelledTable("STYLE", m_db.textStyleTableId(), [&](AcDbObjectId id) {
      auto* style = DbAccess::peekAs<AcDbTextStyleTableRecord>(id);
      recordHead("STYLE", *style, "AcDbTextStyleTableRecord");
      const ACHAR* font = nullptr;
      const ACHAR* bigFont = nullptr;
      style->fileName(font);
      style->bigFontFileName(bigFont);
      m_out.integer(70, 0);
      m_out.real(40, style->textSize());
      m_out.real(41, style->xScale());
      m_out.degrees(50, style->obliquingAngle());
      if (!m_out.keptHere(71)) m_out.integer(71, 0);
      if (!m_out.keptHere(42)) m_out.real(42, style->textSize() > 0 ? style->textSize() : 2.5);
      m_out.text(3, std::wstring(font ? font : L""));
      m_out.text(4, std::wstring(bigFont ? bigFont : L""));
      writeXData(m_out, *style);
    });

    otherTable("VIEW");
    otherTable("UCS");

    modelledTable("APPID", m_db.regAppTableId(), [&](AcDbObjectId id) {
      auto* app = DbAccess::peekAs<AcDbRegAppTableRecord>(id);
      recordHead("APPID", *app, "AcDbRegAppTableRecord");
      m_out.integer(70, 0);
      writeXData(m_out, *app);
    });

    otherTable("DIMSTYLE");

    modelledTable("BLOCK_RECORD", m_db.blockTableId(), [&](AcDbObjectId id) {
      auto* btr = DbAccess::peekAs<AcDbBlockTableRecord>(id);
      recordHead("BLOCK_RECORD", *btr, "AcDbBlockTableRecord");
      if (!m_out.keptHere(340)) m_out.handle(340, layoutOf(id));
      writeXData(m_out, *btr);
    });
    // Tables of other names a file held.
    for (const auto& [name, raw] : m_rawTables)
      if (!m_written.count(raw->objectId())) otherTable(name.c_str());
    endSection();
  }

  std::uint64_t layoutOf(AcDbObjectId block) const {
    for (const Layout& l : m_layouts)
      if (l.block == block) return l.handle;
    return 0;
  }

  void blocks() {
    section("BLOCKS");
    for (const AcDbObjectId& id : records(m_db.blockTableId())) {
      auto* btr = DbAccess::peekAs<AcDbBlockTableRecord>(id);
      const bool paper = id == m_db.paperSpaceId();
      auto marker = [&](AcDbObjectId markerId, const char* type) {
        m_out.setContext(std::string(type) + " of " + toUtf8(btr->nameText()));
        auto* obj = DbAccess::peek(markerId);
        m_out.start(type, obj ? &obj->keptGroups() : nullptr);
        m_out.handle(5, handleOf(markerId));
        m_out.handle(330, handleOf(id));
        m_out.text(100, std::string("AcDbEntity"));
        // Paper space's markers as the drawing's file had them (files
        // differ); a drawing made here marks them, as most files do.
        if (!m_out.keptHere(67) && paper && m_db.keptFileParts().version.empty()) m_out.integer(67, 1);
        m_out.text(8, std::string("0"));
      };
      marker(btr->blockBeginId(), "BLOCK");
      m_out.text(100, std::string("AcDbBlockBegin"));
      m_out.text(2, btr->nameText());
      m_out.integer(70, (btr->isAnonymous() ? 1 : 0) | (btr->hasAttributeDefinitions() ? 2 : 0));
      m_out.point(10, btr->origin());
      m_out.text(3, btr->nameText());
      if (!m_out.keptHere(1)) m_out.text(1, std::string());
      const ACHAR* comments = nullptr;
      if (btr->comments(comments) == Acad::eOk && comments && *comments) m_out.text(4, std::wstring(comments));
      if (auto* begin = DbAccess::peek(btr->blockBeginId())) writeXData(m_out, *begin);
      if (!btr->isLayout()) writeEntities(*btr, false);
      marker(btr->blockEndId(), "ENDBLK");
      m_out.text(100, std::string("AcDbBlockEnd"));
      if (auto* end = DbAccess::peek(btr->blockEndId())) writeXData(m_out, *end);
    }
    endSection();
  }

  void writeEntities(const AcDbBlockTableRecord& btr, bool paper) {
    for (AcDbObject* o : btr.entities())
      if (auto* e = AcDbEntity::cast(o)) m_entities.write(*e, paper);
  }

  void entities() {
    section("ENTITIES");
    if (auto* ms = DbAccess::peekAs<AcDbBlockTableRecord>(m_db.modelSpaceId())) writeEntities(*ms, false);
    if (auto* ps = DbAccess::peekAs<AcDbBlockTableRecord>(m_db.paperSpaceId())) writeEntities(*ps, true);
    endSection();
  }

  void objectHead(const char* type, const AcDbObject& obj, std::uint64_t owner) {
    m_out.setContext(type, handleOf(obj.objectId()));
    m_written.insert(obj.objectId());
    m_out.start(type, &obj.keptGroups());
    m_out.handle(5, handleOf(obj.objectId()));
    m_out.handle(330, owner);
  }

  struct Entry {
    std::wstring key;
    std::uint64_t handle;
    AcDbObject* child;  // null for the layouts written here when the drawing has none
  };

  // The dictionary's live entries, in the order they were added (a file's
  // own order comes back).
  std::vector<Entry> entries(const AcDbDictionary& dict) const {
    std::vector<Entry> out;
    for (auto& [key, id] : dict.entriesInOrderAdded()) {
      AcDbObject* child = DbAccess::peek(id);
      if (child && !child->isErased()) out.push_back({std::move(key), handleOf(id), child});
    }
    if (dict.objectId() == m_db.namedObjectsDictionaryId() && m_newLayouts)
      out.push_back({L"ACAD_LAYOUT", m_layoutDict, nullptr});
    return out;
  }

  void dictionary(const AcDbDictionary& dict) {
    const bool root = dict.objectId() == m_db.namedObjectsDictionaryId();
    objectHead("DICTIONARY", dict, root ? 0 : handleOf(dict.ownerId()));
    m_out.text(100, std::string("AcDbDictionary"));
    // The cloning flag ahead of the entries, as files have it.
    if (!m_out.keptHere(281)) m_out.integer(281, 1);
    for (const Entry& e : entries(dict)) {
      m_out.text(3, e.key);
      m_out.handle(350, e.handle);
    }
    writeXData(m_out, dict);
  }

  // The named object dictionary and everything under it, depth first
  // (with a worklist: dictionaries may nest deeply).
  void collectDictionaryTree(const AcDbDictionary& nod, std::vector<AcDbObject*>& out) {
    std::vector<AcDbObject*> todo{const_cast<AcDbDictionary*>(&nod)};
    while (!todo.empty()) {
      AcDbObject* o = todo.back();
      todo.pop_back();
      out.push_back(o);
      if (auto* d = o ? AcDbDictionary::cast(o) : nullptr) {
        const std::vector<Entry> children = entries(*d);
        for (auto it = children.rbegin(); it != children.rend(); ++it) todo.push_back(it->child);
      }
    }
  }

  void writeObject(AcDbObject* o) {
    if (!o) layouts();
    else if (auto* d = AcDbDictionary::cast(o)) dictionary(*d);
    else if (auto* x = AcDbXrecord::cast(o)) xrecord(*x);
    else if (auto* g = AcDbGroup::cast(o)) group(*g);
    else if (auto* w = AcDbWipeoutVariables::cast(o)) wipeoutVariables(*w);
    else if (auto* raw = AcDbRawObject::cast(o)) writeRawObject(*raw);
    else
      throw DxfError(0, "the drawing holds a " + toUtf8(o->isA()->name()) + " (" +
                            toUtf8(o->objectId().handle().text()) + "), which has no DXF form here");
  }

  void xrecord(const AcDbXrecord& x) {
    objectHead("XRECORD", x, handleOf(x.ownerId()));
    m_out.keptHeadHere();
    m_out.text(100, std::string("AcDbXrecord"));
    m_out.integer(280, 1);
    writeItems(m_out, x.items());
    writeXData(m_out, x);
  }

  void wipeoutVariables(const AcDbWipeoutVariables& vars) {
    objectHead("WIPEOUTVARIABLES", vars, handleOf(vars.ownerId()));
    writeWipeoutVariablesBody(m_out, vars);
    writeXData(m_out, vars);
  }

  void group(const AcDbGroup& g) {
    objectHead("GROUP", g, handleOf(g.ownerId()));
    m_out.text(100, std::string("AcDbGroup"));
    m_out.text(300, std::wstring(g.description()));
    m_out.integer(70, g.isAnonymous() ? 1 : 0);
    m_out.integer(71, g.isSelectable() ? 1 : 0);
    AcDbObjectIdArray ids;
    g.allEntityIds(ids);
    for (int i = 0; i < ids.length(); ++i) m_out.handle(340, handleOf(ids[i]));
    writeXData(m_out, g);
  }

  // The layouts a reader expects of model and paper space: the ACAD_LAYOUT
  // dictionary with one LAYOUT per space, pointing at its block.
  void layouts() {
    struct Named {
      const Layout* layout;
      std::string name;
      int order;
    };
    std::vector<Named> named;
    for (size_t i = 0; i < m_layouts.size(); ++i) {
      const bool model = m_layouts[i].block == m_db.modelSpaceId();
      named.push_back({&m_layouts[i], model ? std::string("Model") : "Layout" + std::to_string(i), int(i)});
    }
    // In key order, as the dictionary holds them once read back.
    std::sort(named.begin(), named.end(),
              [](const Named& a, const Named& b) { return compareNoCase(fromUtf8(a.name), fromUtf8(b.name)) < 0; });
    m_out.setContext("ACAD_LAYOUT");
    m_out.start("DICTIONARY");
    m_out.handle(5, m_layoutDict);
    m_out.handle(330, handleOf(m_db.namedObjectsDictionaryId()));
    m_out.text(100, std::string("AcDbDictionary"));
    m_out.integer(281, 1);
    for (const Named& n : named) {
      m_out.text(3, n.name);
      m_out.handle(350, n.layout->handle);
    }
    for (const Named& n : named) {
      const bool model = n.layout->block == m_db.modelSpaceId();
      m_out.start("LAYOUT");
      m_out.handle(5, n.layout->handle);
      m_out.handle(330, m_layoutDict);
      m_out.text(100, std::string("AcDbPlotSettings"));
      m_out.text(1, std::string());
      m_out.integer(70, model ? 1712 : 688);
      m_out.text(100, std::string("AcDbLayout"));
      m_out.text(1, n.name);
      m_out.integer(70, 1);
      m_out.integer(71, n.order);
      m_out.handle(330, handleOf(n.layout->block));
    }
  }


  // Whether the object and its owners up the chain are live (a raw
  // object whose owner was erased goes with it).
  bool ownersLive(const AcDbObject& o) {
    std::vector<AcDbObjectId> chain;
    AcDbObjectId at = o.ownerId();
    bool live = true;
    while (!at.isNull()) {
      if (auto known = m_liveOwner.find(at); known != m_liveOwner.end()) {
        live = known->second;
        break;
      }
      AcDbObject* owner = DbAccess::peek(at);
      if (!owner || owner->isErased()) {
        live = !owner;  // an owner the drawing never had is no reason to drop it
        if (owner) m_liveOwner[at] = false;
        break;
      }
      m_liveOwner[at] = true;  // provisional: also ends a loop of owners
      chain.push_back(at);
      at = owner->ownerId();
    }
    for (const AcDbObjectId& c : chain) m_liveOwner[c] = live;
    return live;
  }

  // What the section holds: the dictionary tree and the objects kept whole
  // that no dictionary holds. Those the file had come in the file's order,
  // then the rest in the order they were made (their handles'); the root
  // dictionary leads a drawing not read from a file.
  void objects() {
    section("OBJECTS");
    std::vector<AcDbObject*> all;
    auto* nod = DbAccess::peekAs<AcDbDictionary>(m_db.namedObjectsDictionaryId());
    if (nod) collectDictionaryTree(*nod, all);
    std::set<AcDbObject*> inTree(all.begin(), all.end());
    for (const AcDbObjectId& id : m_db.objectIds()) {
      auto* raw = DbAccess::peekAs<AcDbRawObject>(id);
      if (raw && !inTree.count(raw) && !m_written.count(id) && ownersLive(*raw)) all.push_back(raw);
    }
    std::unordered_map<std::uint64_t, std::size_t> filePlace;
    const std::vector<std::uint64_t>& order = m_db.keptFileParts().objectOrder;
    filePlace.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) filePlace.emplace(order[i], i);
    const std::size_t unplaced = order.size() + 1;
    auto key = [&](const AcDbObject* o) {
      const std::uint64_t h = o ? handleOf(o->objectId()) : m_layoutDict;
      auto it = filePlace.find(h);
      if (it != filePlace.end()) return std::pair<std::size_t, std::uint64_t>(it->second + 1, 0);
      // A root the file gave no handle goes first: a reader takes the first
      // ownerless dictionary for the root, and a kept one may follow.
      if (o && o == nod) return std::pair<std::size_t, std::uint64_t>(0, 0);
      return std::pair<std::size_t, std::uint64_t>(unplaced, h);
    };
    std::vector<std::pair<std::pair<std::size_t, std::uint64_t>, AcDbObject*>> keyed;
    keyed.reserve(all.size());
    for (AcDbObject* o : all) keyed.emplace_back(key(o), o);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : keyed) writeObject(entry.second);
    endSection();
  }

  const AcDbDatabase& m_db;
  GroupWriter m_out;
  EntityWriter m_entities;
  std::uint64_t m_next;
  std::map<std::string, std::uint64_t> m_newTables;  // handles of the empty tables written
  std::uint64_t m_layoutDict = 0;
  bool m_newLayouts = false;
  std::vector<Layout> m_layouts;
  std::map<AcDbObjectId, std::vector<AcDbRawObject*>> m_rawChildren;
  std::multimap<std::string, AcDbRawObject*> m_rawTables;
  std::set<AcDbObjectId> m_written;
  std::map<AcDbObjectId, bool> m_liveOwner;
};

}  // namespace

void writeDocument(const AcDbDatabase& db, std::ostream& out, Result&) {
  Saver saver(db, out);
  saver.run();
}

}  // namespace uv::dxf
