#include "host/LayerSettings.h"

#include <functional>

#include "db/AcCmColor.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "host/HostError.h"

namespace uv::host {

namespace {

void change(AcDbDatabase& db, const std::wstring& name, const std::function<void(AcDbLayerTableRecord&)>& edit) {
  AcDbLayerTable* table = nullptr;
  if (db.getLayerTable(table, AcDb::kForRead) != Acad::eOk)
    throw HostError(ExitCode::kJobError, L"the drawing's layer table cannot be read");
  AcDbLayerTableRecord* layer = nullptr;
  const Acad::ErrorStatus es = table->getAt(name.c_str(), layer, AcDb::kForWrite);
  table->close();
  if (es != Acad::eOk) throw HostError(ExitCode::kJobError, L"the drawing has no layer \"" + name + L"\"");
  edit(*layer);
  layer->close();
}

}  // namespace

std::vector<LayerInfo> LayerSettings::list(const AcDbDatabase& db) {
  std::vector<LayerInfo> layers;
  AcDbLayerTable* table = nullptr;
  if (db.getLayerTable(table, AcDb::kForRead) != Acad::eOk) return layers;
  AcDbLayerTableIterator* it = nullptr;
  if (table->newIterator(it) == Acad::eOk) {
    for (; !it->done(); it->step()) {
      AcDbLayerTableRecord* layer = nullptr;
      if (it->getRecord(layer, AcDb::kForRead) != Acad::eOk) continue;
      const ACHAR* name = nullptr;
      layer->getName(name);
      layers.push_back({name ? name : L"", int(layer->color().colorIndex()), layer->isOff()});
      layer->close();
    }
    delete it;
  }
  table->close();
  return layers;
}

void LayerSettings::setOff(AcDbDatabase& db, const std::wstring& layer, bool off) {
  change(db, layer, [&](AcDbLayerTableRecord& r) { r.setIsOff(off); });
}

void LayerSettings::setColour(AcDbDatabase& db, const std::wstring& layer, int colour) {
  if (colour < 1 || colour > 255)
    throw HostError(ExitCode::kJobError, L"a layer's colour is a number from 1 to 255, not " + std::to_wstring(colour));
  change(db, layer, [&](AcDbLayerTableRecord& r) {
    AcCmColor c;
    c.setColorIndex(Adesk::UInt16(colour));
    r.setColor(c);
  });
}

}  // namespace uv::host
