#include "module/entry/CUIVantor2App.h"

#include "module/entry/Commands.h"

CUIVantor2App::CUIVantor2App() : AcRxArxApp(uv::module::commandTable()) {
  m_bUnloadable = true;
  m_bMDIAware = true;
}

AcRx::AppRetCode CUIVantor2App::On_kInitAppMsg(void* pkt) { return AcRxArxApp::On_kInitAppMsg(pkt); }

AcRx::AppRetCode CUIVantor2App::On_kUnloadAppMsg(void* pkt) { return AcRxArxApp::On_kUnloadAppMsg(pkt); }
