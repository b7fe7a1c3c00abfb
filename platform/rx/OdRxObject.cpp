#include "OdRxObject.h"

#include "OdRxModule.h"

UV_DEFINE_RX_MEMBERS(OdRxObject, AcRxObject, nullptr)
UV_DEFINE_RX_MEMBERS(OdRxModule, OdRxObject, nullptr)

void OdRxObject::addRef() { m_refs.fetch_add(1, std::memory_order_relaxed); }

void OdRxObject::release() {
  // acq_rel: every write made through other references happens before the delete.
  if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

long OdRxObject::numRefs() const { return m_refs.load(std::memory_order_acquire); }
