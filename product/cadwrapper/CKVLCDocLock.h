// Locks the current document for the life of the object, and unlocks it
// again when the object goes out of scope, also when an exception passes.
// Locks count, so locks may nest.
#pragma once

#include "base/ErrorStatus.h"
#include "ed/AcApDocLockMode.h"

class AcApDocument;

class CKVLCDocLock {
 public:
  // The current document, locked for write.
  CKVLCDocLock();
  explicit CKVLCDocLock(AcAp::DocLockMode mode);
  ~CKVLCDocLock();
  CKVLCDocLock(const CKVLCDocLock&) = delete;
  CKVLCDocLock& operator=(const CKVLCDocLock&) = delete;

  // eOk while the lock is held; eNoDocument without a current document.
  Acad::ErrorStatus status() const { return m_status; }
  bool isLocked() const { return m_status == Acad::eOk; }
  // The document locked, null when none was.
  AcApDocument* document() const { return isLocked() ? m_document : nullptr; }

 private:
  AcApDocument* m_document = nullptr;
  Acad::ErrorStatus m_status = Acad::eNoDocument;
};
