// Internal: the database's record of one handle. An id points at its slot;
// the slot owns the object. A slot without an object is a handle reserved by
// a forward reference (getAcDbObjectId with createIfNotFound) and not yet
// filled.
#pragma once

#include <cstdint>
#include <memory>

#include "SmallObjectPool.h"

class AcDbDatabase;
class AcDbObject;

namespace uv {

struct ObjectSlot {
  AcDbDatabase* database = nullptr;
  std::uint64_t handle = 0;
  std::unique_ptr<AcDbObject> object;
  // The undo step that last kept this object's state or made it (0: none);
  // see UndoLog.
  std::uint32_t step = 0;

  static void* operator new(std::size_t size) { return SmallObjectPool::allocate(size); }
  static void operator delete(void* p, std::size_t size) noexcept { SmallObjectPool::release(p, size); }
};

}  // namespace uv
