#include "AcRxObject.h"

AcRxClass* AcRxObject::desc() {
  static AcRxClass cls(L"AcRxObject", nullptr, nullptr);
  return &cls;
}
