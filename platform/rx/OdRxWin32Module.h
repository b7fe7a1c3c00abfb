// A module object that remembers its instance handle and names itself after
// its file, as module objects of shared libraries do.
#pragma once

#include "ModuleHandles.h"
#include "OdRxModule.h"

template <class TModule, class TBase = TModule>
class OdRxWin32Module : public TModule {
 public:
  explicit OdRxWin32Module(HINSTANCE instance) : m_hModule(instance) {}

  HINSTANCE moduleInstance() const { return m_hModule; }
  void* sysData() override { return m_hModule; }
  CString moduleName() const override {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(m_hModule, path, MAX_PATH);
    CString name(path);
    int slash = name.ReverseFind(L'/');
    return slash >= 0 ? name.Mid(slash + 1) : name;
  }

 private:
  HINSTANCE m_hModule;
};
