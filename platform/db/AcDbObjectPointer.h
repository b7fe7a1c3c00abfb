// Scope objects that open a database object and close it when they go out
// of scope, also when an exception passes. A pointer holding an object that
// is not in a database (create(), acquire()) deletes it instead.
#pragma once

#include "AcDbBlockTable.h"
#include "AcDbDatabase.h"
#include "AcDbDictionary.h"
#include "AcDbEntity.h"
#include "AcDbLayerTable.h"
#include "AcDbLinetypeTable.h"
#include "AcDbRegAppTable.h"
#include "AcDbTextStyleTable.h"

template <class T>
class AcDbObjectPointer {
 public:
  AcDbObjectPointer() = default;
  explicit AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false) {
    open(id, mode, openErased);
  }
  ~AcDbObjectPointer() { close(); }
  AcDbObjectPointer(const AcDbObjectPointer&) = delete;
  AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;

  Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false) {
    close();
    m_status = acdbOpenObject(m_ptr, id, mode, openErased);
    return m_status;
  }
  // eOk while an object is held; the failure of the last open otherwise.
  Acad::ErrorStatus openStatus() const { return m_status; }
  T* object() const { return m_ptr; }
  T* operator->() const { return m_ptr; }
  operator T*() const { return m_ptr; }  // NOLINT: as the host's pointer

  Acad::ErrorStatus close() {
    if (!m_ptr) return Acad::eNullEntityPointer;
    if (m_ptr->objectId().isNull()) delete m_ptr;
    else m_ptr->close();
    m_ptr = nullptr;
    m_status = Acad::eNullEntityPointer;
    return Acad::eOk;
  }
  // Holds a new object of class T, not yet in a database.
  Acad::ErrorStatus create() {
    close();
    m_ptr = new T;
    m_status = Acad::eOk;
    return m_status;
  }
  // Takes over an open (or new) object; obj is left null.
  Acad::ErrorStatus acquire(T*& obj) {
    if (!obj) return Acad::eNullEntityPointer;
    close();
    m_ptr = obj;
    obj = nullptr;
    m_status = Acad::eOk;
    return m_status;
  }
  // Gives up the object without closing it.
  Acad::ErrorStatus release(T*& obj) {
    obj = m_ptr;
    m_ptr = nullptr;
    m_status = Acad::eNullEntityPointer;
    return obj ? Acad::eOk : Acad::eNullEntityPointer;
  }

 protected:
  Acad::ErrorStatus fail(Acad::ErrorStatus es) {
    close();
    m_status = es;
    return es;
  }

 private:
  T* m_ptr = nullptr;
  Acad::ErrorStatus m_status = Acad::eNullEntityPointer;
};

using AcDbEntityPointer = AcDbObjectPointer<AcDbEntity>;
using AcDbDictionaryPointer = AcDbObjectPointer<AcDbDictionary>;

namespace uv {
template <class Record> struct TableOf;
template <> struct TableOf<AcDbBlockTableRecord> { using Table = AcDbBlockTable; static AcDbObjectId id(const AcDbDatabase* db) { return db->blockTableId(); } };
template <> struct TableOf<AcDbLayerTableRecord> { using Table = AcDbLayerTable; static AcDbObjectId id(const AcDbDatabase* db) { return db->layerTableId(); } };
template <> struct TableOf<AcDbLinetypeTableRecord> { using Table = AcDbLinetypeTable; static AcDbObjectId id(const AcDbDatabase* db) { return db->linetypeTableId(); } };
template <> struct TableOf<AcDbTextStyleTableRecord> { using Table = AcDbTextStyleTable; static AcDbObjectId id(const AcDbDatabase* db) { return db->textStyleTableId(); } };
template <> struct TableOf<AcDbRegAppTableRecord> { using Table = AcDbRegAppTable; static AcDbObjectId id(const AcDbDatabase* db) { return db->regAppTableId(); } };
}  // namespace uv

// A symbol table record opened by id, or by name in a database's table
// (eKeyNotFound when the table has no record of that name).
template <class Record>
class AcDbSymbolTableRecordPointer : public AcDbObjectPointer<Record> {
 public:
  using AcDbObjectPointer<Record>::AcDbObjectPointer;
  AcDbSymbolTableRecordPointer(const ACHAR* name, AcDbDatabase* db, AcDb::OpenMode mode = AcDb::kForRead,
                               bool openErased = false) {
    open(name, db, mode, openErased);
  }
  using AcDbObjectPointer<Record>::open;
  Acad::ErrorStatus open(const ACHAR* name, AcDbDatabase* db, AcDb::OpenMode mode = AcDb::kForRead,
                         bool openErased = false) {
    if (!db) return this->fail(Acad::eNotInDatabase);
    AcDbObjectId id;
    typename uv::TableOf<Record>::Table* table = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(table, uv::TableOf<Record>::id(db), AcDb::kForRead);
    if (es == Acad::eOk) {
      es = table->getAt(name, id, openErased);
      table->close();
    }
    if (es != Acad::eOk) return this->fail(es);
    return open(id, mode, openErased);
  }
};

using AcDbBlockTableRecordPointer = AcDbSymbolTableRecordPointer<AcDbBlockTableRecord>;
using AcDbLayerTableRecordPointer = AcDbSymbolTableRecordPointer<AcDbLayerTableRecord>;
using AcDbLinetypeTableRecordPointer = AcDbSymbolTableRecordPointer<AcDbLinetypeTableRecord>;
using AcDbTextStyleTableRecordPointer = AcDbSymbolTableRecordPointer<AcDbTextStyleTableRecord>;
using AcDbRegAppTableRecordPointer = AcDbSymbolTableRecordPointer<AcDbRegAppTableRecord>;
