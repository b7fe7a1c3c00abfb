// A small module for the end-to-end jobs, loaded by cadhost like any other:
//
//   MARKLINE    asks for two points and draws a line between them (modal)
//   MARKNAME    asks for a text and a point and writes the text there
//   CVantorUIInterface::CallMark(name)   asks for a point and writes name there
//   CVantorUIInterface::CallCount()      prints how many entities model space holds
//
// Everything it draws goes to the current drawing's model space on layer
// "MARKS", so a job's saved DXF shows what ran.
#include <string>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "db/AcDbLine.h"
#include "db/AcDbText.h"
#include "db/adscodes.h"
#include "ed/EdInput.h"
#include "ed/EdPrint.h"
#include "rx/AcRxArxApp.h"
#include "rx/ArxAppPaths.h"
#include "rx/ModuleHandles.h"
#include "rx/OdRxWin32Module.h"

namespace {

AcDbObjectId marksLayer(AcDbDatabase* db) {
  AcDbLayerTable* table = nullptr;
  if (db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
  AcDbObjectId id;
  if (table->getAt(L"MARKS", id) != Acad::eOk) {
    auto* layer = new AcDbLayerTableRecord;
    layer->setName(L"MARKS");
    AcCmColor red;
    red.setColorIndex(1);
    layer->setColor(red);
    table->add(id, layer);
    layer->close();
  }
  table->close();
  return id;
}

void addToModelSpace(AcDbEntity* entity) {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  entity->setLayer(marksLayer(db));
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
    delete entity;
    return;
  }
  space->appendAcDbEntity(entity);
  space->close();
  entity->close();
}

void cmdMarkLine() {
  ads_point a, b;
  if (acedGetPoint(nullptr, L"First point: ", a) != RTNORM) return;
  if (acedGetPoint(a, L"Second point: ", b) != RTNORM) return;
  addToModelSpace(new AcDbLine(AcGePoint3d(a[0], a[1], a[2]), AcGePoint3d(b[0], b[1], b[2])));
}

void writeAtPickedPoint(const wchar_t* text) {
  ads_point p;
  if (acedGetPoint(nullptr, L"Where: ", p) != RTNORM) return;
  addToModelSpace(new AcDbText(AcGePoint3d(p[0], p[1], p[2]), text, AcDbObjectId(), 2.5));
}

void cmdMarkName() {
  wchar_t text[132] = {};
  if (acedGetString(1, L"Text: ", text, 132) != RTNORM) return;
  writeAtPickedPoint(text);
}

uv::ArxCommandTable& commandTable() {
  static uv::ArxCommandTable table;
  return table;
}
uv::ArxCommandTable::Record markLine(commandTable(), {L"E2ETEST", L"MARKLINE", L"MARKLINE", ACRX_CMD_MODAL, &cmdMarkLine});
uv::ArxCommandTable::Record markName(commandTable(), {L"E2ETEST", L"MARKNAME", L"MARKNAME", ACRX_CMD_MODAL, &cmdMarkName});

class MarkApp : public AcRxArxApp {
 public:
  MarkApp() : AcRxArxApp(commandTable()) {}
};
MarkApp theApp;

class MarkModule : public OdRxModule {
 public:
  void initApp() override { onLoadArxApp(path().c_str()); }
  void uninitApp() override { onUnloadArxApp(path().c_str()); }
  virtual HINSTANCE instance() const = 0;

 private:
  std::wstring path() const {
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(instance(), buffer, MAX_PATH);
    return buffer;
  }
};

class ModuleObject;
ModuleObject* g_module = nullptr;

class ModuleObject : public OdRxWin32Module<MarkModule> {
 public:
  using OdRxWin32Module::OdRxWin32Module;
  ~ModuleObject() override { g_module = nullptr; }
  HINSTANCE instance() const override { return moduleInstance(); }
};

// The process-attach step: the loader hands out our instance while our
// library constructors run.
struct Attach {
  Attach() { theApp.SetModuleInstance(uv::attachingModuleInstance()); }
} attach;

}  // namespace

class CVantorUIInterface {
 public:
  static void CallMark(const wchar_t* name);
  static void CallCount();
};

void CVantorUIInterface::CallMark(const wchar_t* name) { writeAtPickedPoint(name ? name : L""); }

void CVantorUIInterface::CallCount() {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return;
  acutPrintf(L"Model space holds %d entities.\n", int(space->entities().size()));
  space->close();
}

IMPLEMENT_ARX_MODULE_EXPORTS(theApp, ModuleObject, g_module)
