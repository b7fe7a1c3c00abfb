// Internal: sub-entities followed by a SEQEND marker (vertices of a 2D or 3D
// polyline, attributes of a block reference), shared by their owners.
#pragma once

#include "AcDbBlockBegin.h"
#include "AcDbObjectIterator.h"
#include "ChildList.h"

namespace uv {

class SequenceList {
 public:
  // alwaysEnd: the owner has a SEQEND even without sub-entities (polylines).
  explicit SequenceList(bool alwaysEnd) : m_alwaysEnd(alwaysEnd) {}

  Acad::ErrorStatus append(AcDbEntity& owner, AcDbEntity* child, AcDbObjectId* id);
  void ownerAdded(AcDbEntity& owner);
  AcDbObjectIterator* newIterator() const { return new AcDbObjectIterator(m_children.objects(false)); }
  // Live sub-entities in order, read without opening.
  std::vector<AcDbEntity*> entities() const;
  AcDbObjectId sequenceEndId() const { return m_end; }
  void appendOwnedIds(std::vector<AcDbObjectId>& ids) const;
  // Opens a sub-entity of this owner (eInvalidInput for a foreign id).
  template <class T>
  Acad::ErrorStatus open(T*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) const {
    obj = nullptr;
    const auto& ids = m_children.ids();
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) return Acad::eInvalidInput;
    return acdbOpenObject(obj, id, mode, openErased);
  }

 private:
  void addEnd(AcDbEntity& owner);
  ChildList m_children;
  AcDbObjectId m_end;
  bool m_alwaysEnd;
};

}  // namespace uv
