#include "AcRxDynamicLinker.h"

#include "ModuleLoader.h"

using uv::ModuleLoader;

UV_DEFINE_RX_MEMBERS(AcRxDynamicLinker, OdRxObject, nullptr)

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) const { return ModuleLoader::instance().setMdiAware(appId, true); }

bool AcRxDynamicLinker::registerAppNotMDIAware(void* appId) const {
  return ModuleLoader::instance().setMdiAware(appId, false);
}

bool AcRxDynamicLinker::unlockApplication(void* appId) const { return ModuleLoader::instance().setLocked(appId, false); }

bool AcRxDynamicLinker::lockApplication(void* appId) const { return ModuleLoader::instance().setLocked(appId, true); }

bool AcRxDynamicLinker::isApplicationLocked(const wchar_t* appName) const {
  const uv::ModuleInfo* info = appName ? ModuleLoader::instance().find(appName) : nullptr;
  return info && info->locked;
}

bool AcRxDynamicLinker::loadModule(const wchar_t* fileName, bool printIt, bool) {
  uv::ModuleResult r = ModuleLoader::instance().load(fileName ? fileName : L"");
  m_lastMessage = r.message;
  if (printIt) ModuleLoader::instance().report(r.message);
  return r.ok;
}

bool AcRxDynamicLinker::unloadModule(const wchar_t* fileName, bool) {
  uv::ModuleResult r = ModuleLoader::instance().unload(fileName ? fileName : L"");
  m_lastMessage = r.message;
  return r.ok;
}
