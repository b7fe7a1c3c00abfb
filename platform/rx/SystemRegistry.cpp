#include "SystemRegistry.h"

AcRxDictionary* acrxSysRegistry() {
  // Never destroyed: modules unloaded during exit still reach it.
  static AcRxDictionary* registry = [] {
    auto* d = new AcRxDictionary();
    d->atPut(ACRX_DYNAMIC_LINKER, new AcRxDynamicLinker());
    d->atPut(ACRX_COMMAND_DOCK, new AcEdCommandStack());
    return d;
  }();
  return registry;
}
