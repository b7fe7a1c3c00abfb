// Internal: the ordered objects that an object owns (entities of a block,
// vertices of a polyline, attributes of a block reference). While the owner
// is not in a database its children wait here, owned by the list; when the
// owner is added they join the database in order, closed.
#pragma once

#include <memory>
#include <vector>

#include "AcDbObject.h"

namespace uv {

class ChildList {
 public:
  ChildList() = default;
  // The ids only: a copy is of an owner in a database, with none waiting.
  ChildList(const ChildList& other) : m_ids(other.m_ids) {}
  ChildList& operator=(const ChildList&) = delete;

  // Takes child. With an owner in a database the child joins it at once and
  // stays open for write for the caller (the host's rule); id receives its id.
  Acad::ErrorStatus append(AcDbObject& owner, AcDbObject* child, AcDbObjectId* id);
  // Moves waiting children into the owner's database.
  void ownerAdded(AcDbObject& owner);
  // The children in order, read without opening them.
  std::vector<AcDbObject*> objects(bool skipErased = true) const;
  // Ids of the children in the database (empty while the owner is not in one).
  const std::vector<AcDbObjectId>& ids() const { return m_ids; }
  void appendIdsTo(std::vector<AcDbObjectId>& ids) const { ids.insert(ids.end(), m_ids.begin(), m_ids.end()); }
  bool contains(const AcDbObject* child) const;

 private:
  std::vector<AcDbObjectId> m_ids;
  std::vector<std::unique_ptr<AcDbObject>> m_waiting;
};

}  // namespace uv
