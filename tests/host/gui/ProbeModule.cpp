// A module for the desktop program's tests: one command per kind of
// question a person answers in the window.
//
//   GLINE   a line from a point to a point picked with a rubber band
//   GRECT   four lines of a rectangle from a point and a corner
//   GERASE  erases the entities selected
//   GMOVE   moves the lines selected from a base point to a second point
//   GASK    a text (spaces allowed), a number and a keyword, written as a
//           text entity "text|number|keyword" at the origin
//   GPROG   runs the status bar's progress meter from 0 to 40
//   GPROGLONG  the same from 0 to 2,000,000, a position at a time
//   GSAVE   a file to save through the file dialog, asking before it takes
//           an existing one, written as a text entity of its path
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLine.h"
#include "db/AcDbText.h"
#include "ed/AcApDocManager.h"
#include "ed/EdInput.h"
#include "ed/EdSelection.h"
#include "ed/EdStatusBar.h"
#include "rx/AcRxArxApp.h"
#include "rx/ArxAppPaths.h"
#include "rx/ModuleHandles.h"
#include "rx/OdRxWin32Module.h"
#include "ui/CFileDialog.h"
#include "user/ScriptValues.h"

namespace {

HINSTANCE g_instance = nullptr;

void append(AcDbEntity* entity) {
  AcDbBlockTableRecord* ms = nullptr;
  if (acdbOpenObject(ms, curDoc()->database()->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
    delete entity;
    return;
  }
  if (ms->appendAcDbEntity(entity) == Acad::eOk) entity->close();
  else delete entity;
  ms->close();
}

void line(const ads_point a, const ads_point b) {
  append(new AcDbLine(AcGePoint3d(a[0], a[1], a[2]), AcGePoint3d(b[0], b[1], b[2])));
}

void cmdLine() {
  ads_point a, b;
  if (acedGetPoint(nullptr, L"\nFrom point: ", a) == RTNORM && acedGetPoint(a, L"\nTo point: ", b) == RTNORM) line(a, b);
}

void cmdRect() {
  ads_point a, c;
  if (acedGetPoint(nullptr, L"\nFirst corner: ", a) != RTNORM || acedGetCorner(a, L"\nOther corner: ", c) != RTNORM)
    return;
  ads_point b = {c[0], a[1], 0}, d = {a[0], c[1], 0};
  line(a, b);
  line(b, c);
  line(c, d);
  line(d, a);
}

// Each entity of the selection set opened for write (and closed after),
// then the set freed.
template <class T, class F>
void eachSelected(ads_name ss, F change) {
  Adesk::Int32 n = 0;
  acedSSLength(ss, &n);
  for (Adesk::Int32 i = 0; i < n; ++i) {
    ads_name e;
    AcDbObjectId id;
    T* entity = nullptr;
    if (acedSSName(ss, i, e) == RTNORM && acdbGetObjectId(id, e) == Acad::eOk &&
        acdbOpenObject(entity, id, AcDb::kForWrite) == Acad::eOk) {
      change(*entity);
      entity->close();
    }
  }
  acedSSFree(ss);
}

void cmdErase() {
  ads_name ss;
  if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return;
  eachSelected<AcDbEntity>(ss, [](AcDbEntity& entity) { entity.erase(); });
}

void cmdMove() {
  ads_name ss;
  if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM) return;
  ads_point from, to;
  if (acedGetPoint(nullptr, L"\nBase point: ", from) != RTNORM || acedGetPoint(from, L"\nSecond point: ", to) != RTNORM) {
    acedSSFree(ss);
    return;
  }
  const AcGeVector3d by(to[0] - from[0], to[1] - from[1], to[2] - from[2]);
  eachSelected<AcDbLine>(ss, [&](AcDbLine& line) {
    line.setStartPoint(line.startPoint() + by);
    line.setEndPoint(line.endPoint() + by);
  });
}

void cmdAsk() {
  wchar_t text[133] = {0}, word[133] = {0};
  double number = 0;
  if (acedGetString(1, L"\nText: ", text) != RTNORM) return;
  if (acedGetReal(L"\nNumber: ", &number) != RTNORM) return;
  acedInitGet(0, L"Left Right");
  if (acedGetKword(L"\nSide [Left/Right]: ", word) != RTNORM) return;
  const std::wstring all = std::wstring(text) + L"|" + uv::formatScriptNumber(number) + L"|" + word;
  append(new AcDbText(AcGePoint3d(0, 0, 0), all.c_str()));
}

void cmdProgress() {
  acedSetStatusBarProgressMeter(L"Counting", 0, 40);
  for (int i = 0; i <= 40; ++i) acedSetStatusBarProgressMeterPos(i);
  acedRestoreStatusBar();
}

// As SHOW does for two million faces: a position set per element.
void cmdProgressLong() {
  acedSetStatusBarProgressMeter(L"Counting faces", 0, 2000000);
  for (int i = 0; i <= 2000000; ++i) acedSetStatusBarProgressMeterPos(i);
  acedRestoreStatusBar();
}

void cmdSave() {
  CFileDialog dialog(FALSE, L"txt", L"probe.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Texts (*.txt)|*.txt||");
  if (dialog.DoModal() == IDOK) append(new AcDbText(AcGePoint3d(0, 10, 0), dialog.GetPathName().str().c_str()));
}

uv::ArxCommandTable& commandTable() {
  static uv::ArxCommandTable table;
  return table;
}
uv::ArxCommandTable::Record r1(commandTable(), {L"GPROBE", L"GLINE", L"GLINE", ACRX_CMD_MODAL, &cmdLine});
uv::ArxCommandTable::Record r2(commandTable(), {L"GPROBE", L"GRECT", L"GRECT", ACRX_CMD_MODAL, &cmdRect});
uv::ArxCommandTable::Record r3(commandTable(), {L"GPROBE", L"GERASE", L"GERASE", ACRX_CMD_MODAL, &cmdErase});
uv::ArxCommandTable::Record r4(commandTable(), {L"GPROBE", L"GASK", L"GASK", ACRX_CMD_MODAL, &cmdAsk});
uv::ArxCommandTable::Record r5(commandTable(), {L"GPROBE", L"GPROG", L"GPROG", ACRX_CMD_MODAL, &cmdProgress});
uv::ArxCommandTable::Record r8(commandTable(), {L"GPROBE", L"GPROGLONG", L"GPROGLONG", ACRX_CMD_MODAL, &cmdProgressLong});
uv::ArxCommandTable::Record r6(commandTable(), {L"GPROBE", L"GSAVE", L"GSAVE", ACRX_CMD_MODAL, &cmdSave});
uv::ArxCommandTable::Record r7(commandTable(), {L"GPROBE", L"GMOVE", L"GMOVE", ACRX_CMD_MODAL, &cmdMove});

class ProbeApp : public AcRxArxApp {
 public:
  ProbeApp() : AcRxArxApp(commandTable()) {}
};
ProbeApp theApp;

class ProbeModule : public OdRxModule {
 public:
  explicit ProbeModule(HINSTANCE instance) : m_instance(instance) {}
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
ProbeModule* g_module = nullptr;

struct Attach {
  Attach() {
    g_instance = uv::attachingModuleInstance();
    theApp.SetModuleInstance(g_instance);
  }
} attach;

}  // namespace

IMPLEMENT_ARX_MODULE_EXPORTS(theApp, ProbeModule, g_module)
