// Application base of a module with commands: on kInitAppMsg it registers
// its command table with the command stack (after the AcRxDbxApp part), on
// kUnloadAppMsg it removes those commands, both in table order. Each
// command is registered with a null UI context unless its entry names one,
// function code -1 and the module's instance as its resource handle.
#pragma once

#include "AcRxDbxApp.h"
#include "ArxCommandTable.h"

class AcRxArxApp : public AcRxDbxApp {
 public:
  AcRxArxApp() = default;
  // The table is read at kInitAppMsg and kUnloadAppMsg; it may still be
  // filling when the application object is constructed.
  explicit AcRxArxApp(const uv::ArxCommandTable& commands) : m_commands(&commands) {}

  AcRx::AppRetCode On_kInitAppMsg(void* pkt) override;
  AcRx::AppRetCode On_kUnloadAppMsg(void* pkt) override;

  const uv::ArxCommandTable* arxCommandTable() const { return m_commands; }

 private:
  const uv::ArxCommandTable* m_commands = nullptr;
};
