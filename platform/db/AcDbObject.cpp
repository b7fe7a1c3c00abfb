#include "AcDbObject.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/TextCase.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbRegAppTable.h"
#include "DbAccess.h"

UV_DEFINE_RX_MEMBERS(AcDbObject, AcRxObject, nullptr)

AcDbObject::AcDbObject() = default;

AcDbObject::AcDbObject(const AcDbObject& other)
    : AcRxObject(other),
      m_ownerId(other.m_ownerId),
      m_presetHandle(other.m_presetHandle),
      m_erased(other.m_erased),
      m_erasedWithOwner(other.m_erasedWithOwner),
      m_xdata(other.m_xdata),
      m_kept(other.m_kept) {}

AcDbObject::~AcDbObject() {
  // The database clears m_slot before it deletes an object; a slot still set
  // here means someone deleted an object the database owns, which would be
  // freed twice. Stop at once with a message rather than corrupt the heap.
  if (m_slot) {
    std::fprintf(stderr, "fatal: %ls %s deleted while owned by its database; close() it instead\n",
                 isA()->name(), uv::toUtf8(AcDbHandle(m_slot->handle).text()).c_str());
    std::abort();
  }
}

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(m_slot); }

AcDbDatabase* AcDbObject::database() const { return m_slot ? m_slot->database : nullptr; }

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const { handle = m_slot ? AcDbHandle(m_slot->handle) : AcDbHandle(); }

Acad::ErrorStatus AcDbObject::presetHandle(const AcDbHandle& handle) {
  if (m_slot) return Acad::eAlreadyInDb;
  m_presetHandle = handle;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) { return setWritable(m_ownerId, owner); }

bool AcDbObject::isReadEnabled() const { return !m_slot || isOpen(); }

bool AcDbObject::isWriteEnabled() const { return !m_slot || m_writer; }

void AcDbObject::assertWriteEnabled() const {
  if (isWriteEnabled()) return;
  AcDbHandle h;
  getAcDbHandle(h);
  throw uv::NotOpenForWrite(uv::toUtf8(isA()->name()) + " " + uv::toUtf8(h.text()) + " is not open for write");
}

Acad::ErrorStatus AcDbObject::close() {
  if (!m_slot) return Acad::eNotInDatabase;
  // Opens are not told apart; release the most recent kind first.
  if (m_notifiers > 0) --m_notifiers;
  else if (m_writer) m_writer = false;
  else if (m_readers > 0) --m_readers;
  else return Acad::eInvalidOpenState;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
  if (!m_slot) return Acad::eOk;
  if (m_writer) return Acad::eWasOpenForWrite;
  if (m_readers > 1) return Acad::eWasOpenForRead;
  if (m_readers != 1) return Acad::eInvalidOpenState;
  uv::DbAccess::aboutToChange(*this);
  m_readers = 0;
  m_writer = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
  if (!m_slot) return Acad::eNotInDatabase;
  if (!m_writer) return m_readers > 0 ? Acad::eWasOpenForRead : Acad::eInvalidOpenState;
  m_writer = false;
  m_readers = 1;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
  if (!m_slot) return Acad::eNotInDatabase;
  if (!m_writer) return Acad::eNotOpenForWrite;
  if (erasing == m_erased) return erasing ? Acad::eWasErased : Acad::eOk;
  if (const Acad::ErrorStatus es = subErase(erasing); es != Acad::eOk) return es;
  uv::DbAccess::setErasedTree(*this, erasing, false);
  return Acad::eOk;
}

void uv::DbAccess::setErasedTree(AcDbObject& top, bool erasing, bool withOwner) {
  // A worklist, not recursion: ownership may nest deeply (dictionaries).
  std::vector<std::pair<AcDbObject*, bool>> todo{{&top, withOwner}};
  std::vector<AcDbObjectId> children;
  while (!todo.empty()) {
    auto [o, owned] = todo.back();
    todo.pop_back();
    aboutToChange(*o);
    o->m_erased = erasing;
    o->m_erasedWithOwner = erasing && owned;
    children.clear();
    o->getOwnedIds(children);
    for (const AcDbObjectId& id : children) {
      AcDbObject* child = peek(id);
      if (!child || child->ownerId() != o->objectId()) continue;
      // Unerasing brings back only what was erased together with the owner.
      if (erasing ? !child->m_erased : (child->m_erased && child->m_erasedWithOwner)) todo.emplace_back(child, true);
    }
  }
}

// --- extended data ---------------------------------------------------------

namespace {

bool isXDataCode(int code) {
  if (code < 1000 || code > 1071 || code == 1001) return false;
  return uv::resvalKind(code) != uv::ResvalKind::kInvalid;
}

// The registered spelling of an application name, or empty when unknown.
std::wstring registeredName(const AcDbDatabase* db, const std::wstring& app) {
  if (!db) return {};
  auto* table = uv::DbAccess::peekAs<AcDbRegAppTable>(db->regAppTableId());
  AcDbObjectId recId;
  if (!table || table->getAt(app.c_str(), recId) != Acad::eOk) return {};
  const ACHAR* name = nullptr;
  auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(recId);
  if (!rec || rec->getName(name) != Acad::eOk) return {};
  return name;
}

}  // namespace

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
  uv::ResItems items;
  for (const uv::XDataGroup& g : m_xdata) {
    if (regappName && !uv::equalsNoCase(g.appName, regappName)) continue;
    items.push_back(uv::ResItem::ofString(1001, g.appName));
    items.insert(items.end(), g.items.begin(), g.items.end());
  }
  return uv::chainFromItems(items);
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  uv::ResItems items;
  if (!uv::itemsFromChain(xdata, items)) return Acad::eInvalidDxfCode;
  size_t i = 0;
  if (i < items.size() && items[i].code == -3) ++i;  // a leading extended-data sentinel is allowed
  if (i < items.size() && items[i].code != 1001) return Acad::eInvalidInput;
  const AcDbDatabase* db = database() ? database() : acdbHostApplicationServices()->workingDatabase();
  std::vector<uv::XDataGroup> groups;
  for (; i < items.size(); ++i) {
    if (items[i].code == 1001) {
      std::wstring name = registeredName(db, items[i].text);
      if (name.empty()) return Acad::eKeyNotFound;
      groups.push_back({std::move(name), {}});
      continue;
    }
    if (!isXDataCode(items[i].code)) return Acad::eInvalidDxfCode;
    groups.back().items.push_back(items[i]);
  }
  for (const uv::XDataGroup& g : groups) {
    int depth = 0;
    for (const uv::ResItem& r : g.items) {
      if (r.code != 1002) continue;
      if (r.text == L"{") ++depth;
      else if (r.text == L"}" && depth > 0) --depth;
      else return Acad::eInvalidInput;
    }
    if (depth != 0) return Acad::eInvalidInput;
  }
  for (uv::XDataGroup& g : groups) {
    auto it = m_xdata.begin();
    while (it != m_xdata.end() && !uv::equalsNoCase(it->appName, g.appName)) ++it;
    if (g.items.empty()) {
      if (it != m_xdata.end()) m_xdata.erase(it);
    } else if (it != m_xdata.end()) {
      it->items = std::move(g.items);
    } else {
      m_xdata.push_back(std::move(g));
    }
  }
  return Acad::eOk;
}

// --- opening ---------------------------------------------------------------

Acad::ErrorStatus uv::openObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased,
                                 const AcRxClass* cls) {
  obj = nullptr;
  if (id.isNull()) return Acad::eNullObjectId;
  AcDbObject* o = DbAccess::peek(id);
  if (!o) return Acad::eKeyNotFound;
  if (o->isErased() && !openErased) return Acad::eWasErased;
  if (cls && !o->isKindOf(cls)) return Acad::eNotThatKindOfClass;
  switch (mode) {
    case AcDb::kForRead:
      if (DbAccess::writer(*o)) return Acad::eWasOpenForWrite;
      if (DbAccess::readers(*o) >= 256) return Acad::eAtMaxReaders;
      break;
    case AcDb::kForWrite:
      if (DbAccess::writer(*o)) return Acad::eWasOpenForWrite;
      if (DbAccess::readers(*o) > 0) return Acad::eWasOpenForRead;
      break;
    case AcDb::kForNotify:
      break;
    default:
      return Acad::eInvalidInput;
  }
  DbAccess::open(*o, mode);
  obj = o;
  return Acad::eOk;
}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
  return uv::openObject(obj, id, mode, openErased, AcDbObject::desc());
}
