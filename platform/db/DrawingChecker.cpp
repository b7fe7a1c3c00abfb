#include "DrawingChecker.h"

#include <algorithm>
#include <map>

#include "base/TextCase.h"
#include "AcDbBlockTable.h"
#include "AcDbDatabase.h"
#include "AcDbLayerTable.h"
#include "AcDbLinetypeTable.h"
#include "AcDbRawObject.h"
#include "AcDbRegAppTable.h"
#include "AcDbTextStyleTable.h"
#include "DbAccess.h"

namespace uv {
namespace {

std::string label(const AcDbObject& o) {
  return toUtf8(o.isA()->name()) + " " + toUtf8(o.objectId().handle().text());
}

std::string handleText(AcDbObjectId id) { return toUtf8(id.handle().text()); }

class Checker {
 public:
  explicit Checker(const AcDbDatabase& db) : m_db(db) {}

  std::vector<std::string> run() {
    for (const AcDbObjectId& id : m_db.reservedIds())
      report("handle " + handleText(id) + " is referred to but holds no object");
    for (const AcDbObjectId& id : m_db.objectIds(true)) checkObject(*DbAccess::peek(id));
    checkTables();
    checkCurrent(m_db.clayer(), AcDbLayerTableRecord::desc(), "current layer");
    checkCurrent(m_db.celtype(), AcDbLinetypeTableRecord::desc(), "current linetype");
    checkCurrent(m_db.textstyle(), AcDbTextStyleTableRecord::desc(), "current text style");
    checkCurrent(m_db.modelSpaceId(), AcDbBlockTableRecord::desc(), "model space");
    return std::move(m_problems);
  }

 private:
  void report(std::string text) { m_problems.push_back(std::move(text)); }

  // Where a record of each kind must live.
  AcDbObjectId tableFor(const AcRxClass* cls) const {
    if (cls == AcDbLayerTableRecord::desc()) return m_db.layerTableId();
    if (cls == AcDbLinetypeTableRecord::desc()) return m_db.linetypeTableId();
    if (cls == AcDbTextStyleTableRecord::desc()) return m_db.textStyleTableId();
    if (cls == AcDbRegAppTableRecord::desc()) return m_db.regAppTableId();
    if (cls == AcDbBlockTableRecord::desc()) return m_db.blockTableId();
    return {};
  }

  bool ownerless(const AcDbObject& o) const {
    const AcDbObjectId id = o.objectId();
    // Objects kept from a file may have no owner there either (a table's head).
    return o.isKindOf(AcDbSymbolTable::desc()) || id == m_db.namedObjectsDictionaryId() ||
           o.isKindOf(AcDbRawObject::desc());
  }

  void checkObject(const AcDbObject& o) {
    const std::string me = label(o);
    if (o.isOpen())
      report(me + " is still open" + (o.isWriteEnabled() ? " for write" : o.isNotifyEnabled() ? " for notify" : " for read"));
    if (o.objectId().handle().value() >= m_db.handseed().value()) report(me + " has a handle at or above the handle seed");
    checkOwner(o, me);
    std::vector<AcDbObjectId> children;
    o.getOwnedIds(children);
    for (const AcDbObjectId& c : children) {
      AcDbObject* child = DbAccess::peek(c);
      if (!child || c.database() != &m_db) report(me + " owns " + handleText(c) + ", which is not an object of this drawing");
      else if (child->ownerId() != o.objectId()) report(me + " holds " + label(*child) + ", whose owner is " + handleText(child->ownerId()));
    }
    if (o.isErased()) return;
    std::vector<ObjectReference> refs;
    o.getReferences(refs);
    for (const ObjectReference& r : refs) checkReference(me, r);
    checkXData(o, me);
  }

  void checkOwner(const AcDbObject& o, const std::string& me) {
    const AcDbObjectId owner = o.ownerId();
    if (owner.isNull()) {
      if (!o.isErased() && !ownerless(o)) report(me + " has no owner");
      return;
    }
    AcDbObject* ow = DbAccess::peek(owner);
    if (!ow || owner.database() != &m_db) {
      report(me + " names owner " + handleText(owner) + ", which is not an object of this drawing");
      return;
    }
    if (o.isErased()) return;
    if (ow->isErased()) report(me + " is live but its owner " + label(*ow) + " is erased");
    // Owners do not list the raw objects of a file that name them.
    if (o.isKindOf(AcDbRawObject::desc())) return;
    std::vector<AcDbObjectId> siblings;
    ow->getOwnedIds(siblings);
    if (std::find(siblings.begin(), siblings.end(), o.objectId()) == siblings.end())
      report(me + " names owner " + label(*ow) + ", which does not hold it");
  }

  void checkReference(const std::string& me, const ObjectReference& r) {
    const std::string what = r.what;
    if (r.id.isNull()) {
      if (!r.optional) report(me + " has no " + what);
      return;
    }
    AcDbObject* target = DbAccess::peek(r.id);
    if (!target || r.id.database() != &m_db) {
      report(me + ": " + what + " " + handleText(r.id) + " is not an object of this drawing");
      return;
    }
    if (r.expected && !target->isKindOf(r.expected)) {
      report(me + ": " + what + " " + label(*target) + " is not a " + toUtf8(r.expected->name()));
      return;
    }
    if (target->isErased() && !r.optional) report(me + ": " + what + " " + label(*target) + " is erased");
    const AcDbObjectId table = r.expected ? tableFor(r.expected) : AcDbObjectId();
    if (!table.isNull() && target->ownerId() != table)
      report(me + ": " + what + " " + label(*target) + " is not in its table");
  }

  void checkXData(const AcDbObject& o, const std::string& me) {
    auto* apps = DbAccess::peekAs<AcDbRegAppTable>(m_db.regAppTableId());
    for (const XDataGroup& g : o.xDataGroups())
      if (!apps || !apps->has(g.appName.c_str())) report(me + " has extended data of unregistered application " + toUtf8(g.appName));
  }

  void checkTables() {
    for (AcDbObjectId tableId : {m_db.blockTableId(), m_db.layerTableId(), m_db.linetypeTableId(),
                                 m_db.textStyleTableId(), m_db.regAppTableId()}) {
      auto* table = DbAccess::peekAs<AcDbSymbolTable>(tableId);
      if (!table) {
        report("table " + handleText(tableId) + " is missing");
        continue;
      }
      std::map<std::wstring, std::string> seen;
      for (const AcDbObjectId& id : table->recordIds()) {
        auto* rec = DbAccess::peekAs<AcDbSymbolTableRecord>(id);
        if (!rec || rec->isErased()) continue;
        if (!rec->isKindOf(table->recordClass())) report(label(*rec) + " is in " + label(*table) + ", which is not its table");
        std::wstring key = rec->nameText();
        std::transform(key.begin(), key.end(), key.begin(), foldCase);
        if (auto [it, fresh] = seen.emplace(key, label(*rec)); !fresh)
          report(label(*rec) + " and " + it->second + " share the name " + toUtf8(rec->nameText()));
      }
    }
  }

  void checkCurrent(AcDbObjectId id, const AcRxClass* cls, const std::string& what) {
    AcDbObject* o = DbAccess::peek(id);
    if (!o || id.database() != &m_db || !o->isKindOf(cls)) report("the " + what + " is not a " + toUtf8(cls->name()) + " of this drawing");
    else if (o->isErased()) report("the " + what + " " + label(*o) + " is erased");
  }

  const AcDbDatabase& m_db;
  std::vector<std::string> m_problems;
};

}  // namespace

std::vector<std::string> checkDatabase(const AcDbDatabase& db) { return Checker(db).run(); }

}  // namespace uv
