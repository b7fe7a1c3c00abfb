// Base of every database object: identity, ownership, the open/close
// protocol, erasing and extended data.
//
// Open modes. An object opened for read may be opened for read again (each
// open needs its own close); opening it for write then fails with
// eWasOpenForRead. An object open for write refuses every further open for
// read or write with eWasOpenForWrite. kForNotify opens in any state and
// allows reading only. upgradeOpen() turns the single read open into a
// write open (eWasOpenForRead when others read it too); downgradeOpen() the
// reverse. A new object not yet added to a database belongs to its creator,
// counts as open for write and may be deleted; once added, the database owns
// it and it stays open for write until close().
//
// Setters that return Acad::ErrorStatus answer eNotOpenForWrite on an object
// not open for write; setters without a status throw uv::NotOpenForWrite.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/ErrorStatus.h"
#include "AcDb.h"
#include "AcDbObjectId.h"
#include "AcRxObject.h"
#include "RawGroups.h"
#include "SmallObjectPool.h"
#include "ResItem.h"
#include "XData.h"

class AcDbDatabase;

namespace uv {
struct DbAccess;
struct ObjectSlot;

class NotOpenForWrite : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// A reference from one object to another that must stay valid (layer of an
// entity, block of a reference, member of a group); `what` names it in
// messages; `expected` is the class the target must have (or null);
// optional references may be null or name an erased object.
struct ObjectReference {
  AcDbObjectId id;
  const char* what;
  const AcRxClass* expected;
  bool optional = false;
};

}  // namespace uv

class AcDbObject : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbObject);
  AcDbObject();
  ~AcDbObject() override;
  AcDbObject& operator=(const AcDbObject&) = delete;
  // Objects live in the database's small-object storage (see SmallObjectPool.h).
  static void* operator new(std::size_t size) { return uv::SmallObjectPool::allocate(size); }
  static void operator delete(void* p, std::size_t size) noexcept { uv::SmallObjectPool::release(p, size); }

  // A copy of the object's state (its class, values, owner, extended data,
  // whether erased), not in any database and closed; the database's undo
  // log keeps objects as they were this way.
  virtual AcDbObject* clone() const { return new AcDbObject(*this); }

  AcDbObjectId objectId() const;
  AcDbObjectId ownerId() const { return m_ownerId; }
  Acad::ErrorStatus setOwnerId(AcDbObjectId owner);
  AcDbDatabase* database() const;
  void getAcDbHandle(AcDbHandle& handle) const;
  // The handle the object takes when it joins a database, for readers that
  // keep the handles of a file. eAlreadyInDb once it is in a database.
  Acad::ErrorStatus presetHandle(const AcDbHandle& handle);
  AcDbHandle presetHandleValue() const { return AcDbHandle(m_inDb ? 0 : m_slotOrHandle.preset); }

  bool isErased() const { return m_erased; }
  // Erases (or with false unerases) the object and everything it owns.
  Acad::ErrorStatus erase(bool erasing = true);

  Acad::ErrorStatus close();
  Acad::ErrorStatus cancel() { return close(); }
  Acad::ErrorStatus upgradeOpen();
  Acad::ErrorStatus downgradeOpen();
  bool isReadEnabled() const;
  bool isWriteEnabled() const;
  bool isNotifyEnabled() const { return m_notifiers > 0; }
  // Open in any mode (always false for an object that is not in a database).
  bool isOpen() const { return m_readers > 0 || m_writer || m_notifiers > 0; }
  void assertReadEnabled() const {}
  void assertWriteEnabled() const;

  // Extended data: a new chain (released by the caller) starting with the
  // (1001 application) item, for one application or for all (null); null
  // when there is none.
  resbuf* xData(const ACHAR* regappName = nullptr) const;
  // Replaces the data of each application named by a 1001 item of the chain;
  // an application followed by no items loses its data. The names must be in
  // the regapp table (eKeyNotFound otherwise), the items must be extended-data
  // codes 1000-1071 (eInvalidDxfCode) with balanced 1002 braces
  // (eInvalidInput). Nothing changes unless the whole chain is accepted.
  Acad::ErrorStatus setXData(const resbuf* xdata);
  // Every application's data, decoded, in order.
  std::vector<uv::XDataGroup> xDataGroups() const { return m_xdata.groups(); }
  bool hasXData() const { return !m_xdata.empty(); }

  // Groups of the file the object was read from that the database does not
  // model (reactors, its extension dictionary, a plot style...), each after
  // the subclass marker (100) it came under; file writers put them back.
  const uv::RawGroups& keptGroups() const;
  Acad::ErrorStatus setKeptGroups(uv::RawGroups groups);

  // Objects this one owns (erased with it), in order, and the references it
  // holds; for erasing, the checker and file writers.
  virtual void getOwnedIds(std::vector<AcDbObjectId>& ids) const {}
  virtual void getReferences(std::vector<uv::ObjectReference>& refs) const {}

 protected:
  // For clone(): the state without the database's slot and open state.
  AcDbObject(const AcDbObject& other);

  bool writeOk() const { return isWriteEnabled(); }
  // The plain setter: refused unless open for write, else the value stored.
  template <class T, class V>
  Acad::ErrorStatus setWritable(T& member, const V& value) {
    if (!writeOk()) return Acad::eNotOpenForWrite;
    member = value;
    return Acad::eOk;
  }
  // As setWritable, and eInvalidInput (nothing stored) unless valid.
  template <class T, class V>
  Acad::ErrorStatus setChecked(T& member, const V& value, bool valid) {
    if (!writeOk()) return Acad::eNotOpenForWrite;
    if (!valid) return Acad::eInvalidInput;
    member = value;
    return Acad::eOk;
  }
  // The database calls these: before adding (a refusal stops the add),
  // right after the object got its id, and before erasing or unerasing
  // (a refusal stops it).
  virtual Acad::ErrorStatus subPrepareAdd(AcDbDatabase* db) { return Acad::eOk; }
  virtual void subAdded() {}
  virtual Acad::ErrorStatus subErase(bool erasing) { return Acad::eOk; }

 private:
  friend class AcDbDatabase;
  friend struct uv::DbAccess;
  // A drawing holds millions of objects: what every one of them carries is
  // packed. Before the object joins a database the word of its slot holds
  // the handle it is to take; the groups kept from a file are held apart,
  // as nearly no object has any; the counters and flags share one word,
  // whose last bytes the entity's own small members fill.
  uv::ObjectSlot* slot() const { return m_inDb ? m_slotOrHandle.slot : nullptr; }
  void attach(uv::ObjectSlot* s) {
    if (s) m_slotOrHandle.slot = s;
    else m_slotOrHandle.preset = 0;
    m_inDb = s != nullptr;
  }
  union SlotOrHandle {
    std::uint64_t preset;
    uv::ObjectSlot* slot;
  } m_slotOrHandle{0};
  AcDbObjectId m_ownerId;
  uv::XData m_xdata;
  std::unique_ptr<uv::RawGroups> m_kept;
  std::uint16_t m_readers = 0;    // at most 256
  std::uint16_t m_notifiers = 0;  // at most 65535
  bool m_inDb : 1 = false;
  bool m_erased : 1 = false;
  bool m_erasedWithOwner : 1 = false;
  bool m_waiting : 1 = false;  // held by an owner that is not in a database yet
  bool m_writer : 1 = false;
};

// In the class body of every database class, after ACRX_DECLARE_MEMBERS:
// clone() copies the object whole, as its own class.
#define UV_DECLARE_CLONE(CLASS) \
  AcDbObject* clone() const override { return new CLASS(*this); }

namespace uv {
// Opens id in the given mode if its object is of class cls (or derived).
Acad::ErrorStatus openObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased, const AcRxClass* cls);
}  // namespace uv

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false);

// Opens id as T: eNotThatKindOfClass when the object is of another class,
// eNullObjectId, eWasErased, eWasOpenForRead/Write as described above.
template <class T>
inline Acad::ErrorStatus acdbOpenObject(T*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
  AcDbObject* p = nullptr;
  const Acad::ErrorStatus es = uv::openObject(p, id, mode, openErased, T::desc());
  obj = es == Acad::eOk ? static_cast<T*>(p) : nullptr;
  return es;
}
