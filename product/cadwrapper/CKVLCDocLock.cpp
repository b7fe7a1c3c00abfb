#include "product/cadwrapper/CKVLCDocLock.h"

#include "ed/AcApDocManager.h"

CKVLCDocLock::CKVLCDocLock() : CKVLCDocLock(AcAp::kWrite) {}

CKVLCDocLock::CKVLCDocLock(AcAp::DocLockMode mode) : m_document(curDoc()) {
  if (m_document) m_status = acDocManager->lockDocument(m_document, mode);
}

CKVLCDocLock::~CKVLCDocLock() {
  // The document is the one locked, not whatever is current by now.
  if (isLocked()) acDocManager->unlockDocument(m_document);
}
