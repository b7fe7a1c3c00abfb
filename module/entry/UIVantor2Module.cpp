// The shared module UIVantor2.so as the host's loader sees it: the
// application object, the process attach and detach steps, and the five
// exported functions.
#include "module/entry/CDrxModule.h"
#include "module/entry/CExtensionModule.h"
#include "module/entry/CUIVantor2App.h"
#include "module/entry/VantorUIInterface.h"
#include "rx/ModuleHandles.h"
#include "rx/DllMain.h"
#include "ui/AfxExtension.h"

#include <memory>

namespace {

CUIVantor2App theApp;

// Attach: the instance goes into the application object; the first attach
// registers the module as an extension of the dialog framework and, when
// that succeeds, makes its resources findable and keeps a CDynLinkLibrary
// for it; then the host's dialog library is prepared. Detach undoes the
// registration when it was made. The host's loader calls both through
// DllMain on every load and unload: the library may stay in memory after an
// unload (its destructors then never run), and the next load attaches it
// again.
AFX_EXTENSION_MODULE g_afxModule;
std::unique_ptr<CDynLinkLibrary> g_library;

void ProcessAttach(HINSTANCE instance) {
  theApp.SetModuleInstance(instance);
  if (AfxInitExtensionModule(g_afxModule, instance)) {
    g_extensionModule.Attach(instance);
    g_library = std::make_unique<CDynLinkLibrary>(g_afxModule);
  }
  InitAcUiDLL();
}

void ProcessDetach() {
  g_extensionModule.Detach();
  g_library.reset();
  if (g_afxModule.bInitialized) AfxTermExtensionModule(g_afxModule);
}

// A process that ends with the module still loaded detaches it here.
struct DetachAtExit {
  ~DetachAtExit() { ProcessDetach(); }
} detachAtExit;

}  // namespace

extern "C" {

UIVANTOR2_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) ProcessAttach(instance);
  else if (reason == DLL_PROCESS_DETACH) ProcessDetach();
  return TRUE;
}

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
