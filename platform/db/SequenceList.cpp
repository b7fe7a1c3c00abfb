#include "SequenceList.h"

#include "AcDbDatabase.h"
#include "DbAccess.h"

namespace uv {

// A sub-entity without a layer of its own takes its owner's properties.
static void inheritProperties(AcDbEntity& owner, AcDbEntity& child) {
  if (child.layerId().isNull() && !owner.layerId().isNull()) child.setPropertiesFrom(&owner, false);
}

Acad::ErrorStatus SequenceList::append(AcDbEntity& owner, AcDbEntity* child, AcDbObjectId* id) {
  if (child && child->objectId().isNull()) inheritProperties(owner, *child);
  const Acad::ErrorStatus es = m_children.append(owner, child, id);
  if (es == Acad::eOk && owner.database() && m_end.isNull()) addEnd(owner);
  return es;
}

void SequenceList::ownerAdded(AcDbEntity& owner) {
  for (AcDbObject* o : m_children.objects(false))
    if (auto* e = AcDbEntity::cast(o)) inheritProperties(owner, *e);
  m_children.ownerAdded(owner);
  if (m_alwaysEnd || !m_children.ids().empty()) addEnd(owner);
}

void SequenceList::addEnd(AcDbEntity& owner) {
  auto* end = new AcDbSequenceEnd;
  DbAccess::setOwner(*end, owner.objectId());
  if (owner.database()->addAcDbObject(m_end, end) != Acad::eOk) {
    delete end;
    return;
  }
  end->setPropertiesFrom(&owner);
  DbAccess::closeFully(*end);
}

std::vector<AcDbEntity*> SequenceList::entities() const {
  std::vector<AcDbEntity*> out;
  for (AcDbObject* o : m_children.objects())
    if (auto* e = AcDbEntity::cast(o)) out.push_back(e);
  return out;
}

void SequenceList::appendOwnedIds(std::vector<AcDbObjectId>& ids) const {
  m_children.appendIdsTo(ids);
  if (!m_end.isNull()) ids.push_back(m_end);
}

}  // namespace uv
