// The object a module hands the loader from odrxCreateModuleObject. The
// loader calls initApp after creating it and uninitApp before releasing it.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "OdRxObject.h"

class OdRxModule : public OdRxObject {
 public:
  ACRX_DECLARE_MEMBERS(OdRxModule);
  virtual void initApp() = 0;
  virtual void uninitApp() = 0;
  // A module may refuse to be unloaded while it is still in use.
  virtual bool isValidToUnload() const { return true; }
  // The module's instance handle, or null when it keeps none.
  virtual void* sysData() { return nullptr; }
  virtual CString moduleName() const { return CString(); }
};

// The exported function that creates the module object. It takes over the
// instance handle by setting the caller's variable to null.
using OdrxCreateModuleObjectFn = OdRxModule* (*)(HINSTANCE& instance);
using OdrxGetAPIVersionFn = int (*)(int& major, int& minor, int& majorBuild, int& minorBuild);
