// A module for the loader tests, built in several variants by compile
// definitions: a well-behaved one and one per way a module can go wrong.
#include <string>

#include "rx/AcRxArxApp.h"
#include "rx/ArxAppPaths.h"
#include "rx/ModuleHandles.h"
#include "rx/OdRxWin32Module.h"
#include "rx/SystemRegistry.h"

#ifndef UV_TEST_API_MAJOR
#define UV_TEST_API_MAJOR 3
#endif

namespace {

int g_runs = 0;
HINSTANCE g_attachedAs = nullptr;

void cmdFirst() { ++g_runs; }
void cmdSecond() { g_runs += 10; }

uv::ArxCommandTable& commandTable() {
  static uv::ArxCommandTable table;
  return table;
}
uv::ArxCommandTable::Record first(commandTable(), {L"UVTEST", L"UvFirst", L"UvFirstLocal", ACRX_CMD_TRANSPARENT, &cmdFirst});
uv::ArxCommandTable::Record second(commandTable(), {L"UVTEST", L"UvSecond", L"UvSecond", ACRX_CMD_MODAL, &cmdSecond});

class TestApp : public AcRxArxApp {
 public:
  TestApp() : AcRxArxApp(commandTable()) {
#ifdef UV_TEST_STAY_LOCKED
    m_bUnloadable = false;
#endif
  }
#ifdef UV_TEST_FAIL_INIT
  AcRx::AppRetCode On_kInitAppMsg(void* pkt) override {
    AcRxArxApp::On_kInitAppMsg(pkt);  // registers the commands, then gives up
    return AcRx::kRetError;
  }
#endif
#ifdef UV_TEST_LEAVE_COMMANDS
  AcRx::AppRetCode On_kUnloadAppMsg(void*) override { return AcRx::kRetOK; }
#endif
#ifdef UV_TEST_THROW_INIT
  AcRx::AppRetCode On_kInitAppMsg(void*) override { throw std::runtime_error("no licence"); }
#endif
};

TestApp theApp;

class TestModule : public OdRxModule {
 public:
  void initApp() override {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(instance(), path, MAX_PATH);
    onLoadArxApp(path);
  }
  void uninitApp() override {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(instance(), path, MAX_PATH);
    onUnloadArxApp(path);
  }
  virtual HINSTANCE instance() const = 0;
};

using Module = OdRxWin32Module<TestModule>;
class ModuleObject : public Module {
 public:
  using Module::Module;
  HINSTANCE instance() const override { return moduleInstance(); }
  ~ModuleObject() override;
};
ModuleObject* g_module = nullptr;
ModuleObject::~ModuleObject() { g_module = nullptr; }

// The process-attach step.
struct Attach {
  Attach() {
    g_attachedAs = uv::attachingModuleInstance();
    theApp.SetModuleInstance(g_attachedAs);
  }
} attach;

}  // namespace

extern "C" {
#ifndef UV_TEST_NO_ENTRY
IMPLEMENT_ARX_ENTRYPOINT(theApp)
#endif

int odrxGetAPIVersion(int& major, int& minor, int& majorBuild, int& minorBuild) {
  major = UV_TEST_API_MAJOR;
  minor = 9;
  majorBuild = minorBuild = 0;
  return 0;
}

OdRxModule* odrxCreateModuleObject(HINSTANCE& instance) {
  if (!g_module) {
    g_module = new ModuleObject(instance);
    instance = nullptr;
  }
  return g_module;
}

// For the tests: what the module saw and did.
int uvTestRuns() { return g_runs; }
HINSTANCE uvTestAttachedAs() { return g_attachedAs; }
long uvTestModuleRefs() { return g_module ? g_module->numRefs() : 0; }
}
