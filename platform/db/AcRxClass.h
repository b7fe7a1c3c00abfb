// Runtime class descriptions: each database class has one AcRxClass, reached
// through its static desc(), naming the class, its DXF entity name (the name
// that selection filters test) and its parent.
#pragma once

#include "AdAChar.h"

class AcRxClass {
 public:
  AcRxClass(const ACHAR* name, const ACHAR* dxfName, AcRxClass* parent)
      : m_name(name), m_dxfName(dxfName), m_parent(parent) {}
  AcRxClass(const AcRxClass&) = delete;
  AcRxClass& operator=(const AcRxClass&) = delete;

  const ACHAR* name() const { return m_name; }
  const ACHAR* dxfName() const { return m_dxfName; }
  AcRxClass* myParent() const { return m_parent; }
  bool isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->m_parent)
      if (c == other) return true;
    return false;
  }

 private:
  const ACHAR* m_name;
  const ACHAR* m_dxfName;
  AcRxClass* m_parent;
};
