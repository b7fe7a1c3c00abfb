// Root of the runtime class scheme: isA(), isKindOf(), desc() and the
// checked downcast T::cast(), which returns null for an object of another
// class.
#pragma once

#include "AcRxClass.h"

class AcRxObject {
 public:
  virtual ~AcRxObject() = default;
  static AcRxClass* desc();
  static AcRxObject* cast(const AcRxObject* p) { return const_cast<AcRxObject*>(p); }
  virtual AcRxClass* isA() const { return desc(); }
  bool isKindOf(const AcRxClass* c) const { return isA()->isDerivedFrom(c); }
};

// In a class body: the static description, the checked cast and isA().
#define ACRX_DECLARE_MEMBERS(CLASS)                                          \
  static AcRxClass* desc();                                                  \
  static CLASS* cast(const AcRxObject* p) {                                  \
    return (p && p->isKindOf(CLASS::desc())) ? static_cast<CLASS*>(const_cast<AcRxObject*>(p)) : nullptr; \
  }                                                                          \
  AcRxClass* isA() const override

#define UV_RX_WIDEN(x) L##x
#define UV_RX_WSTR(x) UV_RX_WIDEN(#x)

// In the class's source file. DXFNAME is the entity name of files and
// selection filters (L"LINE"), or nullptr for classes without one.
#define UV_DEFINE_RX_MEMBERS(CLASS, PARENT, DXFNAME)                         \
  AcRxClass* CLASS::desc() {                                                 \
    static AcRxClass cls(UV_RX_WSTR(CLASS), DXFNAME, PARENT::desc());             \
    return &cls;                                                             \
  }                                                                          \
  AcRxClass* CLASS::isA() const { return CLASS::desc(); }
