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

// Slots live in the nodes of the database's index of handles (ordered by
// handle, which a slot in the index never changes), so that a handle costs
// one allocation.
struct ObjectSlot {
  ObjectSlot(AcDbDatabase* db, std::uint64_t h);  // in AcDbDatabase.cpp, where objects are complete
  AcDbDatabase* database = nullptr;
  std::uint64_t handle = 0;
  std::unique_ptr<AcDbObject> object;
  // The undo step that last kept this object's state or made it (0: none);
  // see UndoLog.
  std::uint32_t step = 0;
};

struct SlotOrder {
  using is_transparent = void;
  bool operator()(const ObjectSlot& a, const ObjectSlot& b) const { return a.handle < b.handle; }
  bool operator()(const ObjectSlot& a, std::uint64_t h) const { return a.handle < h; }
  bool operator()(std::uint64_t h, const ObjectSlot& b) const { return h < b.handle; }
};

}  // namespace uv
