// A module written against the host as the product's module is: an
// application object with a command table, a module object, and two commands
// that ask for points and draw lines. It also defines one script function.
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLine.h"
#include "db/resbuf.h"
#include "ed/AcApDocManager.h"
#include "ed/EdInput.h"
#include "ed/EdPrint.h"
#include "rx/AcRxArxApp.h"
#include "rx/AdsFunctions.h"
#include "rx/ArxAppPaths.h"
#include "rx/ModuleHandles.h"
#include "rx/OdRxWin32Module.h"

namespace {

HINSTANCE g_instance = nullptr;

void addLine(const ads_point a, const ads_point b) {
  AcDbDatabase* db = curDoc()->database();
  AcDbBlockTableRecord* ms = nullptr;
  if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return;
  auto* line = new AcDbLine(AcGePoint3d(a[0], a[1], a[2]), AcGePoint3d(b[0], b[1], b[2]));
  if (ms->appendAcDbEntity(line) == Acad::eOk) line->close();
  else delete line;
  ms->close();
}

// Lines from point to point until Enter or Escape.
void cmdLine() {
  acDocManager->pushResourceHandle(g_instance);
  ads_point from, to;
  if (acedGetPoint(nullptr, L"\nFrom point: ", from) == RTNORM) {
    while (acedGetPoint(from, L"\nTo point: ", to) == RTNORM) {
      addLine(from, to);
      from[0] = to[0], from[1] = to[1], from[2] = to[2];
    }
  }
  acDocManager->popResourceHandle();
}

// A rectangle of four lines from two corners.
void cmdRect() {
  acDocManager->pushResourceHandle(g_instance);
  ads_point a, c;
  if (acedGetPoint(nullptr, L"\nFirst corner: ", a) == RTNORM && acedGetCorner(a, L"\nOther corner: ", c) == RTNORM) {
    ads_point b = {c[0], a[1], 0}, d = {a[0], c[1], 0};
    addLine(a, b);
    addLine(b, c);
    addLine(c, d);
    addLine(d, a);
  }
  acDocManager->popResourceHandle();
}

uv::ArxCommandTable& commandTable() {
  static uv::ArxCommandTable table;
  return table;
}
uv::ArxCommandTable::Record lineRecord(commandTable(), {L"UVLINES", L"UVLINE", L"UVLINE", ACRX_CMD_MODAL, &cmdLine});
uv::ArxCommandTable::Record rectRecord(commandTable(), {L"UVLINES", L"UVRECT", L"UVRECT", ACRX_CMD_TRANSPARENT, &cmdRect});

class LinesApp : public AcRxArxApp {
 public:
  LinesApp() : AcRxArxApp(commandTable()) {}
  AcRx::AppRetCode On_kLoadDwgMsg(void* pkt) override {
    acutPrintf(L"\nUVLINES ready in %s", static_cast<AcApDocument*>(pkt)->docTitle());
    acedDefun(L"uvgreet", 7);
    return AcRx::kRetOK;
  }
  AcRx::AppRetCode On_kUnloadDwgMsg(void* pkt) override {
    acutPrintf(L"\nUVLINES leaves %s", static_cast<AcApDocument*>(pkt)->docTitle());
    acedUndef(L"uvgreet", 7);
    return AcRx::kRetOK;
  }
  AcRx::AppRetCode On_kInvkSubrMsg(void*) override {
    if (acedGetFunCode() != 7) return AcRx::kRetError;
    const resbuf* args = acedGetArgs();
    acutPrintf(L"\nHello, %s!", args && args->restype == RTSTR ? args->resval.rstring : L"nobody");
    return AcRx::kRetOK;
  }
};
LinesApp theApp;

class LinesModule : public OdRxModule {
 public:
  explicit LinesModule(HINSTANCE instance) : m_instance(instance) {}
  void initApp() override { onLoadArxApp(path().c_str()); }
  void uninitApp() override { onUnloadArxApp(path().c_str()); }

 private:
  std::wstring path() const {
    wchar_t buf[MAX_PATH];
    GetModuleFileNameW(m_instance, buf, MAX_PATH);
    return buf;
  }
  HINSTANCE m_instance;
};
LinesModule* g_module = nullptr;

struct Attach {
  Attach() {
    g_instance = uv::attachingModuleInstance();
    theApp.SetModuleInstance(g_instance);
  }
} attach;

}  // namespace

IMPLEMENT_ARX_MODULE_EXPORTS(theApp, LinesModule, g_module)
