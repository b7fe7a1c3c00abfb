#include "db/dxf/DxfSaver.h"

#include <numbers>

#include "base/TextCase.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLinetypeTable.h"
#include "db/AcDbRegAppTable.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbXrecord.h"
#include "db/DbAccess.h"
#include "db/dxf/EntityWriter.h"
#include "db/dxf/GroupWriter.h"
#include "db/dxf/ResItemCodec.h"
#include "db/dxf/WipeoutCodec.h"

namespace uv::dxf {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

class Saver {
 public:
  Saver(const AcDbDatabase& db, std::ostream& out, Result& result)
      : m_db(db), m_out(out), m_skipped(result.skipped), m_entities(m_out, m_skipped), m_next(db.handseed().value()) {}

  void run() {
    // Handles of what the file needs and the drawing does not hold.
    m_vportTable = m_next++;
    m_viewTable = m_next++;
    m_ucsTable = m_next++;
    m_dimstyleTable = m_next++;
    m_layoutDict = m_next++;
    for (const AcDbObjectId& id : records(m_db.blockTableId())) {
      auto* btr = DbAccess::peekAs<AcDbBlockTableRecord>(id);
      if (btr && btr->isLayout()) m_layouts.push_back({id, m_next++});
    }
    header();
    section("CLASSES");
    if (usesWipeouts()) writeWipeoutClasses(m_out);
    endSection();
    tables();
    blocks();
    entities();
    objects();
    m_out.start("EOF");
  }

 private:
  struct Layout {
    AcDbObjectId block;
    std::uint64_t handle;
  };

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

  void header() {
    section("HEADER");
    m_out.text(9, std::string("$ACADVER"));
    m_out.text(1, std::string("AC1021"));
    m_out.text(9, std::string("$DWGCODEPAGE"));
    m_out.text(3, std::string("ANSI_1252"));
    m_out.text(9, std::string("$HANDSEED"));
    m_out.handle(5, m_next);
    m_out.text(9, std::string("$CLAYER"));
    m_out.text(8, recordName(m_db.clayer()));
    m_out.text(9, std::string("$CELTYPE"));
    m_out.text(6, recordName(m_db.celtype()));
    m_out.text(9, std::string("$TEXTSTYLE"));
    m_out.text(7, recordName(m_db.textstyle()));
    m_out.text(9, std::string("$CELWEIGHT"));
    m_out.integer(370, m_db.celweight());
    endSection();
  }

  void tableHead(const char* name, std::uint64_t handle, size_t count) {
    m_out.start("TABLE");
    m_out.text(2, std::string(name));
    m_out.handle(5, handle);
    m_out.handle(330, 0);
    m_out.text(100, std::string("AcDbSymbolTable"));
    m_out.integer(70, static_cast<long long>(count));
  }

  void recordHead(const char* type, const AcDbSymbolTableRecord& rec, const char* subclass) {
    m_out.setContext(std::string(type) + " " + toUtf8(rec.nameText()));
    m_out.start(type);
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
    emptyTable("VPORT", m_vportTable);

    const auto linetypes = records(m_db.linetypeTableId());
    tableHead("LTYPE", handleOf(m_db.linetypeTableId()), linetypes.size());
    for (const AcDbObjectId& id : linetypes) {
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
    }
    m_out.start("ENDTAB");

    const auto layers = records(m_db.layerTableId());
    tableHead("LAYER", handleOf(m_db.layerTableId()), layers.size());
    for (const AcDbObjectId& id : layers) {
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
    }
    m_out.start("ENDTAB");

    const auto styles = records(m_db.textStyleTableId());
    tableHead("STYLE", handleOf(m_db.textStyleTableId()), styles.size());
    for (const AcDbObjectId& id : styles) {
      auto* style = DbAccess::peekAs<AcDbTextStyleTableRecord>(id);
      recordHead("STYLE", *style, "AcDbTextStyleTableRecord");
      const ACHAR* font = nullptr;
      const ACHAR* bigFont = nullptr;
      style->fileName(font);
      style->bigFontFileName(bigFont);
      m_out.integer(70, 0);
      m_out.real(40, style->textSize());
      m_out.real(41, style->xScale());
      m_out.real(50, style->obliquingAngle() / kDegree);
      m_out.integer(71, 0);
      m_out.real(42, style->textSize() > 0 ? style->textSize() : 2.5);
      m_out.text(3, std::wstring(font ? font : L""));
      m_out.text(4, std::wstring(bigFont ? bigFont : L""));
      writeXData(m_out, *style);
    }
    m_out.start("ENDTAB");

    emptyTable("VIEW", m_viewTable);
    emptyTable("UCS", m_ucsTable);

    const auto apps = records(m_db.regAppTableId());
    tableHead("APPID", handleOf(m_db.regAppTableId()), apps.size());
    for (const AcDbObjectId& id : apps) {
      auto* app = DbAccess::peekAs<AcDbRegAppTableRecord>(id);
      recordHead("APPID", *app, "AcDbRegAppTableRecord");
      m_out.integer(70, 0);
      writeXData(m_out, *app);
    }
    m_out.start("ENDTAB");

    emptyTable("DIMSTYLE", m_dimstyleTable);

    const auto blocks = records(m_db.blockTableId());
    tableHead("BLOCK_RECORD", handleOf(m_db.blockTableId()), blocks.size());
    for (const AcDbObjectId& id : blocks) {
      auto* btr = DbAccess::peekAs<AcDbBlockTableRecord>(id);
      recordHead("BLOCK_RECORD", *btr, "AcDbBlockTableRecord");
      m_out.handle(340, layoutOf(id));
      writeXData(m_out, *btr);
    }
    m_out.start("ENDTAB");
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
        m_out.start(type);
        m_out.handle(5, handleOf(markerId));
        m_out.handle(330, handleOf(id));
        m_out.text(100, std::string("AcDbEntity"));
        if (paper) m_out.integer(67, 1);
        m_out.text(8, std::string("0"));
      };
      marker(btr->blockBeginId(), "BLOCK");
      m_out.text(100, std::string("AcDbBlockBegin"));
      m_out.text(2, btr->nameText());
      m_out.integer(70, (btr->isAnonymous() ? 1 : 0) | (btr->hasAttributeDefinitions() ? 2 : 0));
      m_out.point(10, btr->origin());
      m_out.text(3, btr->nameText());
      m_out.text(1, std::string());
      const ACHAR* comments = nullptr;
      if (btr->comments(comments) == Acad::eOk && comments && *comments) m_out.text(4, std::wstring(comments));
      if (!btr->isLayout()) writeEntities(*btr, false);
      marker(btr->blockEndId(), "ENDBLK");
      m_out.text(100, std::string("AcDbBlockEnd"));
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
    m_out.setContext(std::string(type) + " " + toUtf8(obj.objectId().handle().text()));
    m_out.start(type);
    m_out.handle(5, handleOf(obj.objectId()));
    m_out.handle(330, owner);
  }

  void dictionary(const AcDbDictionary& dict, bool root) {
    objectHead("DICTIONARY", dict, root ? 0 : handleOf(dict.ownerId()));
    m_out.text(100, std::string("AcDbDictionary"));
    m_out.integer(281, 1);
    std::vector<AcDbObject*> children;
    if (root) {
      m_out.text(3, std::string("ACAD_LAYOUT"));
      m_out.handle(350, m_layoutDict);
    }
    AcDbDictionaryIterator* it = dict.newIterator();
    for (; !it->done(); it->next()) {
      AcDbObject* child = DbAccess::peek(it->objectId());
      if (!child || child->isErased()) continue;
      if (root && equalsNoCase(it->name(), L"ACAD_LAYOUT")) continue;
      m_out.text(3, std::wstring(it->name()));
      m_out.handle(350, handleOf(it->objectId()));
      children.push_back(child);
    }
    delete it;
    writeXData(m_out, dict);
    if (root) layouts();
    for (AcDbObject* child : children) {
      if (auto* d = AcDbDictionary::cast(child)) dictionary(*d, false);
      else if (auto* x = AcDbXrecord::cast(child)) xrecord(*x);
      else if (auto* g = AcDbGroup::cast(child)) group(*g);
      else if (auto* w = AcDbWipeoutVariables::cast(child)) wipeoutVariables(*w);
      else ++m_skipped[toUtf8(child->isA()->name())];
    }
  }

  void xrecord(const AcDbXrecord& x) {
    objectHead("XRECORD", x, handleOf(x.ownerId()));
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
    m_out.setContext("ACAD_LAYOUT");
    m_out.start("DICTIONARY");
    m_out.handle(5, m_layoutDict);
    m_out.handle(330, handleOf(m_db.namedObjectsDictionaryId()));
    m_out.text(100, std::string("AcDbDictionary"));
    m_out.integer(281, 1);
    int order = 0;
    for (const Layout& l : m_layouts) {
      m_out.text(3, l.block == m_db.modelSpaceId() ? std::string("Model") : "Layout" + std::to_string(order));
      m_out.handle(350, l.handle);
      ++order;
    }
    order = 0;
    for (const Layout& l : m_layouts) {
      const bool model = l.block == m_db.modelSpaceId();
      m_out.start("LAYOUT");
      m_out.handle(5, l.handle);
      m_out.handle(330, m_layoutDict);
      m_out.text(100, std::string("AcDbPlotSettings"));
      m_out.text(1, std::string());
      m_out.integer(70, model ? 1712 : 688);
      m_out.text(100, std::string("AcDbLayout"));
      m_out.text(1, model ? std::string("Model") : "Layout" + std::to_string(order));
      m_out.integer(70, 1);
      m_out.integer(71, order);
      m_out.handle(330, handleOf(l.block));
      ++order;
    }
  }

  void objects() {
    section("OBJECTS");
    if (auto* nod = DbAccess::peekAs<AcDbDictionary>(m_db.namedObjectsDictionaryId())) dictionary(*nod, true);
    endSection();
  }

  const AcDbDatabase& m_db;
  GroupWriter m_out;
  std::map<std::string, int>& m_skipped;
  EntityWriter m_entities;
  std::uint64_t m_next;
  std::uint64_t m_vportTable = 0, m_viewTable = 0, m_ucsTable = 0, m_dimstyleTable = 0, m_layoutDict = 0;
  std::vector<Layout> m_layouts;
};

}  // namespace

void writeDocument(const AcDbDatabase& db, std::ostream& out, Result& result) {
  Saver saver(db, out, result);
  saver.run();
}

}  // namespace uv::dxf
