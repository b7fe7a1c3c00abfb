// The module object the host's loader asks for (odrxCreateModuleObject):
// one per process, reference-counted atomically (OdRxObject). Initialising
// it announces the module's file to the host (onLoadArxApp); de-initialising
// it, when the module is unloaded, takes that back (onUnloadArxApp) and
// closes the trace log.
#pragma once

#include "base/CString.h"
#include "rx/OdRxModule.h"
#include "rx/OdRxWin32Module.h"

class CDrxModule : public OdRxModule {
 public:
  ~CDrxModule() override;
  void initApp() override;
  void uninitApp() override;

  // The full path of the module's file (dladdr on the module's own code),
  // at most MAX_PATH - 1 characters.
  static CString ModuleFilePath();

  // The module object made by the first call, made for `instance` (which
  // the object takes over: the caller's variable is set to null); later
  // calls return that object and leave `instance` alone. Throws
  // std::bad_alloc ("bad allocation") when no object can be made.
  static OdRxModule* CreateModuleObject(HINSTANCE& instance);
  // The object kept now; null before the first call and after the object
  // is deleted.
  static OdRxModule* KeptModuleObject();
};

using CDrxModuleObject = OdRxWin32Module<CDrxModule, CDrxModule>;
