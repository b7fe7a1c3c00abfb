#include "AcRxArxApp.h"

#include "SystemRegistry.h"

AcRx::AppRetCode AcRxArxApp::On_kInitAppMsg(void* pkt) {
  AcRx::AppRetCode rc = AcRxDbxApp::On_kInitAppMsg(pkt);
  if (rc != AcRx::kRetOK || !m_commands) return rc;
  AcEdCommandStack* stack = acedRegCmds;
  // A command that cannot be registered (a name another module took) is left
  // out; the others still work, as the host's command stack does.
  for (const uv::ArxCommandEntry& e : m_commands->entries())
    stack->addCommand(e.group, e.globalName, e.localName, e.flags, e.function, e.uiContext, -1, m_hdllInstance);
  return AcRx::kRetOK;
}

AcRx::AppRetCode AcRxArxApp::On_kUnloadAppMsg(void* pkt) {
  if (m_commands) {
    AcEdCommandStack* stack = acedRegCmds;
    for (const uv::ArxCommandEntry& e : m_commands->entries()) stack->removeCmd(e.group, e.globalName);
  }
  return AcRxDbxApp::On_kUnloadAppMsg(pkt);
}
