// Internal: what the database's classes do to each other without the
// open/close protocol (the owner of a vertex reads it while computing its
// geometry; the database sets ids and erases owned objects).
#pragma once

#include "AcDbDatabase.h"
#include "AcDbObject.h"
#include "ObjectSlot.h"

namespace uv {

struct DbAccess {
  // The object of an id without opening it; null for a null id or a reserved handle.
  static AcDbObject* peek(AcDbObjectId id) { return id.slot() ? id.slot()->object.get() : nullptr; }
  template <class T>
  static T* peekAs(AcDbObjectId id) { return T::cast(peek(id)); }

  // Before o changes: the undo log keeps its state before the first change
  // of the step it records.
  static void aboutToChange(AcDbObject& o) {
    if (ObjectSlot* s = o.slot()) s->database->aboutToChange(*s);
  }
  static void setOwner(AcDbObject& o, AcDbObjectId owner) {
    if (o.m_ownerId == owner) return;
    aboutToChange(o);
    o.m_ownerId = owner;
  }
  static bool waiting(const AcDbObject& o) { return o.m_waiting; }
  static void setWaiting(AcDbObject& o, bool waiting) { o.m_waiting = waiting; }
  static ObjectSlot* slot(const AcDbObject& o) { return o.slot(); }
  static void attach(AcDbObject& o, ObjectSlot* s) { o.attach(s); }
  static Acad::ErrorStatus prepareAdd(AcDbObject& o, AcDbDatabase* db) { return o.subPrepareAdd(db); }
  static void added(AcDbObject& o) { o.subAdded(); }
  static void openForWrite(AcDbObject& o) {
    aboutToChange(o);
    o.m_writer = true;
  }
  static void open(AcDbObject& o, AcDb::OpenMode mode) {
    if (mode == AcDb::kForRead) ++o.m_readers;
    else if (mode == AcDb::kForWrite) openForWrite(o);
    else ++o.m_notifiers;
  }
  static void closeWriter(AcDbObject& o) { o.m_writer = false; }
  static void closeFully(AcDbObject& o) { o.m_readers = 0; o.m_writer = false; o.m_notifiers = 0; }
  static int readers(const AcDbObject& o) { return o.m_readers; }
  static bool writer(const AcDbObject& o) { return o.m_writer; }
  static int notifiers(const AcDbObject& o) { return o.m_notifiers; }
  // Erases or unerases o and what it owns, without asking it.
  static void setErasedTree(AcDbObject& o, bool erasing, bool withOwner);
};

}  // namespace uv
