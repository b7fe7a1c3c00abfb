#include "AcDbObject.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "base/TextCase.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbRegAppTable.h"
#include "DbAccess.h"
#include "ShortList.h"

UV_DEFINE_RX_MEMBERS(AcDbObject, AcRxObject, nullptr)

AcDbObject::AcDbObject() = default;

AcDbObject::AcDbObject(const AcDbObject& other)
    : AcRxObject(other),
      m_slotOrHandle{0},
      m_ownerId(other.m_ownerId),
      m_xdata(other.m_xdata),
      m_kept(other.m_kept ? std::make_unique<uv::RawGroups>(*other.m_kept) : nullptr),
      m_erased(other.m_erased),
      m_erasedWithOwner(other.m_erasedWithOwner) {
  if (!other.m_inDb) m_slotOrHandle.preset = other.m_slotOrHandle.preset;
}

AcDbObject::~AcDbObject() {
  // The database detaches an object before it deletes it; a slot still set
  // here means someone deleted an object the database owns, which would be
  // freed twice. Stop at once with a message rather than corrupt the heap.
  if (const uv::ObjectSlot* s = slot()) {
    std::fprintf(stderr, "fatal: %ls %s deleted while owned by its database; close() it instead\n",
                 isA()->name(), uv::toUtf8(AcDbHandle(s->handle).text()).c_str());
    std::abort();
  }
}

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(slot()); }

AcDbDatabase* AcDbObject::database() const { return m_inDb ? m_slotOrHandle.slot->database : nullptr; }

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const {
  handle = m_inDb ? AcDbHandle(m_slotOrHandle.slot->handle) : AcDbHandle();
}

Acad::ErrorStatus AcDbObject::presetHandle(const AcDbHandle& handle) {
  if (m_inDb) return Acad::eAlreadyInDb;
  m_slotOrHandle.preset = handle.value();
  return Acad::eOk;
}

const uv::RawGroups& AcDbObject::keptGroups() const {
  static const uv::RawGroups none;
  return m_kept ? *m_kept : none;
}

Acad::ErrorStatus AcDbObject::setKeptGroups(uv::RawGroups groups) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (groups.empty()) m_kept.reset();
  else if (m_kept) *m_kept = std::move(groups);
  else m_kept = std::make_unique<uv::RawGroups>(std::move(groups));
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) { return setWritable(m_ownerId, owner); }

bool AcDbObject::isReadEnabled() const { return !m_inDb || isOpen(); }

bool AcDbObject::isWriteEnabled() const { return !m_inDb || m_writer; }

void AcDbObject::assertWriteEnabled() const {
  if (isWriteEnabled()) return;
  AcDbHandle h;
  getAcDbHandle(h);
  throw uv::NotOpenForWrite(uv::toUtf8(isA()->name()) + " " + uv::toUtf8(h.text()) + " is not open for write");
}

Acad::ErrorStatus AcDbObject::close() {
  if (!m_inDb) return Acad::eNotInDatabase;
  // Opens are not told apart; release the most recent kind first.
  if (m_notifiers > 0) --m_notifiers;
  else if (m_writer) m_writer = false;
  else if (m_readers > 0) --m_readers;
  else return Acad::eInvalidOpenState;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
  if (!m_inDb) return Acad::eOk;
  if (m_writer) return Acad::eWasOpenForWrite;
  if (m_readers > 1) return Acad::eWasOpenForRead;
  if (m_readers != 1) return Acad::eInvalidOpenState;
  uv::DbAccess::aboutToChange(*this);
  m_readers = 0;
  m_writer = true;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
  if (!m_inDb) return Acad::eNotInDatabase;
  if (!m_writer) return m_readers > 0 ? Acad::eWasOpenForRead : Acad::eInvalidOpenState;
  m_writer = false;
  m_readers = 1;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
  if (!m_inDb) return Acad::eNotInDatabase;
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

// The registered spelling of an application name, or null when unknown.
const std::wstring* registeredName(const AcDbDatabase* db, const ACHAR* app) {
  if (!db) return nullptr;
  auto* table = uv::DbAccess::peekAs<AcDbRegAppTable>(db->regAppTableId());
  AcDbObjectId recId;
  if (!table || table->getAt(app, recId) != Acad::eOk) return nullptr;
  auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(recId);
  if (!rec) return nullptr;
  return uv::internAppName(rec->nameText());
}

}  // namespace

resbuf* AcDbObject::xData(const ACHAR* regappName) const { return m_xdata.chain(regappName); }

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  for (const resbuf* rb = xdata; rb; rb = rb->rbnext)
    if (uv::resvalKind(rb->restype) == uv::ResvalKind::kInvalid) return Acad::eInvalidDxfCode;
  const resbuf* rb = xdata;
  if (rb && rb->restype == -3) rb = rb->rbnext;  // a leading extended-data sentinel is allowed
  if (rb && rb->restype != 1001) return Acad::eInvalidInput;
  const AcDbDatabase* db = database() ? database() : acdbHostApplicationServices()->workingDatabase();
  uv::ShortList<uv::XData::ChainGroup, 4> groups;
  for (; rb; rb = rb->rbnext) {
    if (rb->restype == 1001) {
      const std::wstring* name = registeredName(db, rb->resval.rstring ? rb->resval.rstring : L"");
      if (!name) return Acad::eKeyNotFound;
      if (!groups.empty()) groups.back().end = rb;
      groups.push_back({name, rb->rbnext, nullptr});
      continue;
    }
    if (!isXDataCode(rb->restype)) return Acad::eInvalidDxfCode;
  }
  for (uv::XData::ChainGroup& g : groups) {
    int depth = 0;
    for (const resbuf* item = g.first; item != g.end; item = item->rbnext) {
      if (item->restype != 1002) continue;
      const wchar_t* brace = item->resval.rstring ? item->resval.rstring : L"";
      if (std::wcscmp(brace, L"{") == 0) ++depth;
      else if (std::wcscmp(brace, L"}") == 0 && depth > 0) --depth;
      else return Acad::eInvalidInput;
    }
    if (depth != 0) return Acad::eInvalidInput;
  }
  m_xdata.apply(groups.data(), groups.size());
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
      if (DbAccess::notifiers(*o) >= 0xFFFF) return Acad::eAtMaxReaders;
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
