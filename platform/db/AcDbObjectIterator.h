// Walks the vertices of a 2D or 3D polyline or the attributes of a block
// reference, over those present when it was made. entity() gives the
// object without opening it; open objectId() to read or change it.
#pragma once

#include <vector>

#include "AcDbEntity.h"

class AcDbObjectIterator {
 public:
  explicit AcDbObjectIterator(std::vector<AcDbObject*> objects);

  void start(bool atEnd = false);
  bool done() const { return m_pos < 0 || m_pos >= int(m_objects.size()); }
  void step(bool backwards = false, bool skipErasedObjects = true);
  // Null while the owner is not in a database.
  AcDbObjectId objectId() const;
  AcDbEntity* entity() const;
  void setPosition(AcDbEntity* ent);
  void setPosition(AcDbObjectId id);

 private:
  void skip(bool backwards);
  std::vector<AcDbObject*> m_objects;
  int m_pos = 0;
};
