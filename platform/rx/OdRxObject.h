// Base of every runtime object: an intrusive, atomically changed reference
// count. A new object starts with one reference, held by whoever created it;
// the release that takes the count to zero deletes the object.
#pragma once

#include <atomic>

class OdRxObject {
 public:
  OdRxObject() = default;
  OdRxObject(const OdRxObject&) = delete;
  OdRxObject& operator=(const OdRxObject&) = delete;
  virtual ~OdRxObject() = default;

  virtual void addRef();
  virtual void release();
  virtual long numRefs() const;

 private:
  std::atomic<long> m_refs{1};
};
