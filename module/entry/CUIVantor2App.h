// The module's application object: it answers the host's application
// messages. kInitAppMsg declares the module MDI-aware and unloadable and
// registers the nine commands in table order; kUnloadAppMsg removes them;
// every other message does nothing (a code above 16 included).
#pragma once

#include "rx/AcRxArxApp.h"

class CUIVantor2App : public AcRxArxApp {
 public:
  CUIVantor2App();

  AcRx::AppRetCode On_kInitAppMsg(void* pkt) override;
  AcRx::AppRetCode On_kUnloadAppMsg(void* pkt) override;
  // The module registers no runtime classes or server components.
  void RegisterServerComponents() override {}
};
