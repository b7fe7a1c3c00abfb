// Application base of a module: one handler per application message, each
// returning kRetOK unless overridden. acrxEntryPoint dispatches a message to
// its handler; codes outside 0..16 do nothing and return kRetOK.
//
//   static CMyApp theApp;
//   IMPLEMENT_ARX_ENTRYPOINT(theApp)
#pragma once

#include "base/WinTypes.h"
#include "AcRx.h"

class AcRxDbxApp {
 public:
  AcRxDbxApp() = default;
  virtual ~AcRxDbxApp() = default;
  AcRxDbxApp(const AcRxDbxApp&) = delete;
  AcRxDbxApp& operator=(const AcRxDbxApp&) = delete;

  AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);

  // Declares the module MDI-aware and unlocked (as its flags say) through
  // the dynamic linker, then calls RegisterServerComponents.
  virtual AcRx::AppRetCode On_kInitAppMsg(void* pkt);
  virtual AcRx::AppRetCode On_kUnloadAppMsg(void* pkt);
  virtual AcRx::AppRetCode On_kNullMsg(void* pkt);
  virtual AcRx::AppRetCode On_kLoadDwgMsg(void* pkt);
  virtual AcRx::AppRetCode On_kUnloadDwgMsg(void* pkt);
  virtual AcRx::AppRetCode On_kInvkSubrMsg(void* pkt);
  virtual AcRx::AppRetCode On_kCfgMsg(void* pkt);
  virtual AcRx::AppRetCode On_kEndMsg(void* pkt);
  virtual AcRx::AppRetCode On_kQuitMsg(void* pkt);
  virtual AcRx::AppRetCode On_kSaveMsg(void* pkt);
  virtual AcRx::AppRetCode On_kDependencyMsg(void* pkt);
  virtual AcRx::AppRetCode On_kNoDependencyMsg(void* pkt);
  virtual AcRx::AppRetCode On_kOleUnloadAppMsg(void* pkt);
  virtual AcRx::AppRetCode On_kPreQuitMsg(void* pkt);
  virtual AcRx::AppRetCode On_kInitDialogMsg(void* pkt);
  virtual AcRx::AppRetCode On_kEndDialogMsg(void* pkt);
  virtual AcRx::AppRetCode On_kSuspendMsg(void* pkt);

  virtual void RegisterServerComponents() {}

  // The module's instance: null until the module is attached.
  HINSTANCE GetModuleInstance() const { return m_hdllInstance; }
  void SetModuleInstance(HINSTANCE instance) { m_hdllInstance = instance; }
  bool IsUnloadable() const { return m_bUnloadable; }
  bool IsMDIAware() const { return m_bMDIAware; }

 protected:
  bool m_bUnloadable = true;
  bool m_bMDIAware = true;
  HINSTANCE m_hdllInstance = nullptr;
};

#define IMPLEMENT_ARX_ENTRYPOINT(app)                                                   \
  extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {       \
    return (app).acrxEntryPoint(msg, pkt);                                            \
  }

// The loader's three exports of a plug-in module: the entry point for the
// application object `app`, interface version 3.9, and the one module object
// of class `ModuleClass` (constructed from the instance handle, which it takes
// over), kept in the module's pointer `modulePointer`.
#define IMPLEMENT_ARX_MODULE_EXPORTS(app, ModuleClass, modulePointer)                  \
  IMPLEMENT_ARX_ENTRYPOINT(app)                                                       \
  extern "C" int odrxGetAPIVersion(int& major, int& minor, int& majorBuild,           \
                                   int& minorBuild) {                                 \
    major = 3;                                                                        \
    minor = 9;                                                                        \
    majorBuild = minorBuild = 0;                                                      \
    return 0;                                                                         \
  }                                                                                   \
  extern "C" OdRxModule* odrxCreateModuleObject(HINSTANCE& instance) {               \
    if (!(modulePointer)) {                                                           \
      (modulePointer) = new ModuleClass(instance);                                    \
      instance = nullptr;                                                             \
    }                                                                                 \
    return (modulePointer);                                                           \
  }
