#include "module/entry/CDrxModule.h"

#include <dlfcn.h>

#include <new>

#include "module/entry/CFunctionTrace.h"
#include "rx/ArxAppPaths.h"

namespace {

OdRxModule* g_module = nullptr;

// The host's allocator failed: the module object cannot be made.
class ModuleAllocationFailure : public std::bad_alloc {
 public:
  const char* what() const noexcept override { return "bad allocation"; }
};

}  // namespace

CDrxModule::~CDrxModule() {
  if (g_module == this) g_module = nullptr;
}

CString CDrxModule::ModuleFilePath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&CDrxModule::ModuleFilePath), &info) || !info.dli_fname) return CString();
  CString path(info.dli_fname);
  return path.GetLength() >= MAX_PATH ? path.Left(MAX_PATH - 1) : path;
}

void CDrxModule::initApp() { onLoadArxApp(ModuleFilePath()); }

void CDrxModule::uninitApp() {
  onUnloadArxApp(ModuleFilePath());
  CFunctionTrace::CloseLog();
}

OdRxModule* CDrxModule::CreateModuleObject(HINSTANCE& instance) {
  if (g_module) return g_module;
  auto* module = new (std::nothrow) CDrxModuleObject(instance);
  if (!module) throw ModuleAllocationFailure();
  g_module = module;
  instance = nullptr;
  return g_module;
}

OdRxModule* CDrxModule::KeptModuleObject() { return g_module; }
