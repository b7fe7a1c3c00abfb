#include "AcDbObjectIterator.h"

AcDbObjectIterator::AcDbObjectIterator(std::vector<AcDbObject*> objects) : m_objects(std::move(objects)) { start(); }

void AcDbObjectIterator::start(bool atEnd) {
  m_pos = atEnd ? int(m_objects.size()) - 1 : 0;
  skip(atEnd);
}

void AcDbObjectIterator::step(bool backwards, bool skipErasedObjects) {
  if (done()) return;
  m_pos += backwards ? -1 : 1;
  if (skipErasedObjects) skip(backwards);
}

void AcDbObjectIterator::skip(bool backwards) {
  while (!done() && m_objects[size_t(m_pos)]->isErased()) m_pos += backwards ? -1 : 1;
}

AcDbObjectId AcDbObjectIterator::objectId() const { return done() ? AcDbObjectId() : m_objects[size_t(m_pos)]->objectId(); }

AcDbEntity* AcDbObjectIterator::entity() const { return done() ? nullptr : AcDbEntity::cast(m_objects[size_t(m_pos)]); }

void AcDbObjectIterator::setPosition(AcDbEntity* ent) {
  for (size_t i = 0; i < m_objects.size(); ++i)
    if (m_objects[i] == ent) m_pos = int(i);
}

void AcDbObjectIterator::setPosition(AcDbObjectId id) {
  for (size_t i = 0; i < m_objects.size(); ++i)
    if (!id.isNull() && m_objects[i]->objectId() == id) m_pos = int(i);
}
