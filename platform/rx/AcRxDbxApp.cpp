#include "AcRxDbxApp.h"

#include "SystemRegistry.h"

AcRx::AppRetCode AcRxDbxApp::acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt) {
  switch (msg) {
    case AcRx::kNullMsg: return On_kNullMsg(pkt);
    case AcRx::kInitAppMsg: return On_kInitAppMsg(pkt);
    case AcRx::kUnloadAppMsg: return On_kUnloadAppMsg(pkt);
    case AcRx::kLoadDwgMsg: return On_kLoadDwgMsg(pkt);
    case AcRx::kUnloadDwgMsg: return On_kUnloadDwgMsg(pkt);
    case AcRx::kInvkSubrMsg: return On_kInvkSubrMsg(pkt);
    case AcRx::kCfgMsg: return On_kCfgMsg(pkt);
    case AcRx::kEndMsg: return On_kEndMsg(pkt);
    case AcRx::kQuitMsg: return On_kQuitMsg(pkt);
    case AcRx::kSaveMsg: return On_kSaveMsg(pkt);
    case AcRx::kDependencyMsg: return On_kDependencyMsg(pkt);
    case AcRx::kNoDependencyMsg: return On_kNoDependencyMsg(pkt);
    case AcRx::kOleUnloadAppMsg: return On_kOleUnloadAppMsg(pkt);
    case AcRx::kPreQuitMsg: return On_kPreQuitMsg(pkt);
    case AcRx::kInitDialogMsg: return On_kInitDialogMsg(pkt);
    case AcRx::kEndDialogMsg: return On_kEndDialogMsg(pkt);
    case AcRx::kSuspendMsg: return On_kSuspendMsg(pkt);
  }
  return AcRx::kRetOK;
}

AcRx::AppRetCode AcRxDbxApp::On_kInitAppMsg(void* pkt) {
  AcRxDynamicLinker* linker = acrxDynamicLinker;
  if (m_bMDIAware) linker->registerAppMDIAware(pkt);
  if (m_bUnloadable) linker->unlockApplication(pkt);
  RegisterServerComponents();
  return AcRx::kRetOK;
}

AcRx::AppRetCode AcRxDbxApp::On_kUnloadAppMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kNullMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kLoadDwgMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kUnloadDwgMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kInvkSubrMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kCfgMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kEndMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kQuitMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kSaveMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kDependencyMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kNoDependencyMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kOleUnloadAppMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kPreQuitMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kInitDialogMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kEndDialogMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kSuspendMsg(void*) { return AcRx::kRetOK; }
