// Base of the runtime's objects: a runtime class (AcRxObject) with an
// intrusive, atomically changed reference count. A new object starts with
// one reference, held by whoever created it; the release that takes the
// count to zero deletes the object.
#pragma once

#include <atomic>

#include "db/AcRxObject.h"

class OdRxObject : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(OdRxObject);
  OdRxObject() = default;
  OdRxObject(const OdRxObject&) = delete;
  OdRxObject& operator=(const OdRxObject&) = delete;

  virtual void addRef();
  virtual void release();
  virtual long numRefs() const;

 private:
  std::atomic<long> m_refs{1};
};
