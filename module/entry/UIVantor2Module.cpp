// The shared module UIVantor2.so as the host's loader sees it: the
// application object, the library's attach and detach steps, and the four
// exported functions.
#include "module/entry/CDrxModule.h"
#include "module/entry/CExtensionModule.h"
#include "module/entry/CUIVantor2App.h"
#include "module/entry/VantorUIInterface.h"
#include "rx/ModuleHandles.h"
#include "ui/AfxExtension.h"

#include <memory>

namespace {

CUIVantor2App theApp;

// The library's constructor and destructor stand for the process attach and
// detach of a module. Defined after theApp, so the application object
// exists when the instance is stored in it.
//
// Attach: the instance goes into the application object; the first attach
// registers the module as an extension of the dialog framework and, when
// that succeeds, makes its resources findable and keeps a CDynLinkLibrary
// for it; then the host's dialog library is prepared. Detach undoes the
// registration when it was made.
AFX_EXTENSION_MODULE g_afxModule;

struct ProcessAttachment {
  ProcessAttachment() {
    HINSTANCE instance = uv::attachingModuleInstance();
    theApp.SetModuleInstance(instance);
    if (AfxInitExtensionModule(g_afxModule, instance)) {
      g_extensionModule.Attach(instance);
      m_library = std::make_unique<CDynLinkLibrary>(g_afxModule);
    }
    InitAcUiDLL();
  }
  ~ProcessAttachment() {
    g_extensionModule.Detach();
    m_library.reset();
    if (g_afxModule.bInitialized) AfxTermExtensionModule(g_afxModule);
  }
  std::unique_ptr<CDynLinkLibrary> m_library;
};
ProcessAttachment attachment;

}  // namespace

extern "C" {

UIVANTOR2_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {
  return theApp.acrxEntryPoint(msg, pkt);
}

// Interface version 3.9, build 0.0.
UIVANTOR2_EXPORT int odrxGetAPIVersion(int& major, int& minor, int& majorBuild, int& minorBuild) {
  major = 3;
  minor = 9;
  majorBuild = 0;
  minorBuild = 0;
  return 0;
}

// The same function under the host's other name for it.
UIVANTOR2_EXPORT int acrxGetApiVersion(int& major, int& minor, int& majorBuild, int& minorBuild)
    __attribute__((alias("odrxGetAPIVersion")));

UIVANTOR2_EXPORT OdRxModule* odrxCreateModuleObject(HINSTANCE& instance) {
  return CDrxModule::CreateModuleObject(instance);
}

}  // extern "C"
