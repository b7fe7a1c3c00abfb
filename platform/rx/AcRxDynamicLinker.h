// The host's dynamic linker as modules see it: they declare themselves
// MDI-aware and unlock themselves for unloading with the application id that
// came with kInitAppMsg. loadModule and unloadModule go to uv::ModuleLoader.
#pragma once

#include <string>

#include "OdRxObject.h"

class AcRxDynamicLinker : public OdRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);

  bool registerAppMDIAware(void* appId) const;
  bool registerAppNotMDIAware(void* appId) const;
  bool unlockApplication(void* appId) const;
  bool lockApplication(void* appId) const;
  // By module file name, with or without extension.
  bool isApplicationLocked(const wchar_t* appName) const;

  // printIt sends the outcome to the command line as well.
  bool loadModule(const wchar_t* fileName, bool printIt, bool asCmd = false);
  bool unloadModule(const wchar_t* fileName, bool asCmd = false);
  // The message of the last loadModule or unloadModule.
  const wchar_t* lastMessage() const { return m_lastMessage.c_str(); }

 private:
  std::wstring m_lastMessage;
};
