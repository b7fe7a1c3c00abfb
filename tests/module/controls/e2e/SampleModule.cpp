// A module that cadhost loads to run the sample dialog from a job:
//
//   UVSAMPLE   opens the sample dialog and, when it ends with OK, prints
//              what it read from every control on the command line
//
// Its templates are those of module/resources/sample, registered under the
// module's instance when it loads.
#include <string>
#include <vector>

#include "base/TextCase.h"
#include "ed/EdPrint.h"
#include "rx/AcRxArxApp.h"
#include "rx/ModuleHandles.h"
#include "rx/OdRxWin32Module.h"
#include "sample/SampleDialog.h"
#include "ui/AfxExtension.h"
#include "ui/Resources.h"

namespace {

std::wstring joined(const std::vector<std::wstring>& items) {
  std::wstring out;
  for (const auto& item : items) out += (out.empty() ? L"" : L"|") + item;
  return out;
}

void cmdSample() {
  sample::SampleDialog dlg;
  const INT_PTR result = dlg.DoModal();
  acutPrintf(L"sample result %d\n", int(result));
  if (result != IDOK) return;
  const sample::SampleResult& r = dlg.result;
  acutPrintf(L"name=%s area=%d step=%g column=%d group=%d file=%s notes=%s\n", dlg.m_strName.GetString(),
             dlg.m_nArea, dlg.m_dStep, dlg.m_nColumn, dlg.m_bGroup, dlg.m_strFile.GetString(),
             dlg.m_strNotes.GetString());
  acutPrintf(L"surface=%s colour=%d weight=%d levels=%s names=%s\n", r.surface.c_str(), r.colour, r.lineWeight,
             joined(r.levels).c_str(), joined(r.names).c_str());
  acutPrintf(L"surfaces=%s grid=%s\n", joined(r.surfaceRows).c_str(), joined(r.gridRow0).c_str());
  acutPrintf(L"types=%s keep=%d marker=%s\n", joined(r.types).c_str(), int(r.keep), r.marker.c_str());
  acutPrintf(L"log=%s\n", joined(dlg.log).c_str());
}

uv::ArxCommandTable& commandTable() {
  static uv::ArxCommandTable table;
  return table;
}
uv::ArxCommandTable::Record sampleCommand(commandTable(),
                                          {L"UVSAMPLE", L"UVSAMPLE", L"UVSAMPLE", ACRX_CMD_MODAL, &cmdSample});

AFX_EXTENSION_MODULE g_extension;

class SampleApp : public AcRxArxApp {
 public:
  SampleApp() : AcRxArxApp(commandTable()) {}
  AcRx::AppRetCode On_kInitAppMsg(void* pkt) override {
    AcRx::AppRetCode code = AcRxArxApp::On_kInitAppMsg(pkt);
    uv::Resources::instance().addFolder(uv::fromUtf8(UV_SOURCE_DIR "/module/resources/sample"), g_extension.hModule);
    return code;
  }
};
SampleApp theApp;

class SampleModule : public OdRxModule {
 public:
  void initApp() override {}
  void uninitApp() override {}
};

class ModuleObject;
ModuleObject* g_module = nullptr;

class ModuleObject : public OdRxWin32Module<SampleModule> {
 public:
  using OdRxWin32Module::OdRxWin32Module;
  ~ModuleObject() override { g_module = nullptr; }
};

// The process-attach step.
struct Attach {
  Attach() {
    HINSTANCE instance = uv::attachingModuleInstance();
    theApp.SetModuleInstance(instance);
    AfxInitExtensionModule(g_extension, instance);
    InitAcUiDLL();
  }
} attach;

}  // namespace

IMPLEMENT_ARX_MODULE_EXPORTS(theApp, ModuleObject, g_module)
