// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CKVLLayerManager.h"

#include "db/AcDbDatabase.h"
#include "db/AcDbEntity.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbLayerTableRecord.h"
#include "db/AcDbObjectPointer.h"
#include "ed/EdDialogs.h"
#include "base/TextCase.h"

namespace {

struct DefaultLayer {
  int type;
  const wchar_t* suffix;
  int color;
  const wchar_t* linetype;
};

constexpr DefaultLayer kDefaults[] = {
    {CKVLLayerManager::kTriangles, L"_TIN", 8, L"Continuous"},
    {CKVLLayerManager::kGrid, L"_GRID", 9, L"Continuous"},
    {CKVLLayerManager::kBoundary, L"_BOUNDARY", 1, L"DASHED"},
    {CKVLLayerManager::kElevationMarkers, L"_ELEV", 2, L"Continuous"},
    {CKVLLayerManager::kDrape, L"_DRAPE", 5, L"Continuous"},
    {CKVLLayerManager::kContours, L"_CONTOURS", 32, L"Continuous"},
};

// The linetype for a new layer: the record's when the drawing has it or the host's library
// can load it, Continuous otherwise (a layer cannot be ByLayer or ByBlock).
AcDbObjectId linetypeFor(AcDbDatabase* db, const CString& name) {
  if (name.IsEmpty() || uv::equalsNoCase(name.str(), L"ByLayer") || uv::equalsNoCase(name.str(), L"ByBlock"))
    return db->continuousLinetype();
  AcDbObjectId id;
  if (uv::loadLinetype(db, name.str(), id) == Acad::eOk) return id;
  return db->continuousLinetype();
}

// The layer of that name, made when missing; null when it cannot be.
AcDbObjectId ensureLayer(AcDbDatabase* db, const CKVLSurfaceManager::CKVLLayer& record) {
  {
    AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForRead);
    if (table.openStatus() != Acad::eOk) return {};
    AcDbObjectId id;
    if (table->getAt(record.m_strName, id) == Acad::eOk) return id;
  }
  auto* layer = new AcDbLayerTableRecord();
  if (layer->setName(record.m_strName) != Acad::eOk) {
    delete layer;
    return {};
  }
  AcCmColor color;
  color.setColorIndex(record.m_nColor >= 1 && record.m_nColor <= 255 ? Adesk::UInt16(record.m_nColor) : 7);
  layer->setColor(color);
  layer->setLinetypeObjectId(linetypeFor(db, record.m_strLinetype));
  AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForWrite);
  AcDbObjectId id;
  if (table.openStatus() != Acad::eOk || table->add(id, layer) != Acad::eOk) {
    delete layer;
    return {};
  }
  layer->close();
  return id;
}

}  // namespace

void CKVLLayerManager::SetDefaults(const CString& surfaceName) {
  m_layers.clear();
  for (const auto& d : kDefaults) m_layers.emplace_back(d.type, surfaceName + d.suffix, d.color, CString(d.linetype));
}

CKVLSurfaceManager::CKVLLayer* CKVLLayerManager::GetLayer(LayerType type) {
  for (auto& layer : m_layers)
    if (layer.m_nType == type) return &layer;
  return nullptr;
}

const CKVLSurfaceManager::CKVLLayer* CKVLLayerManager::GetLayer(LayerType type) const {
  return const_cast<CKVLLayerManager*>(this)->GetLayer(type);
}

bool CKVLLayerManager::SetOnLayer(LayerType type, const AcDbObjectIdArray& ids) {
  const CKVLSurfaceManager::CKVLLayer* record = GetLayer(type);
  if (!record) return false;
  AcDbDatabase* db = nullptr;
  for (const auto& id : ids)
    if (!id.isNull()) {
      db = id.database();
      break;
    }
  if (!db) return true;  // nothing to move
  const AcDbObjectId layer = ensureLayer(db, *record);
  if (layer.isNull()) return false;
  bool ok = true;
  for (const auto& id : ids) {
    if (id.isNull()) continue;
    AcDbEntityPointer entity(id, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk || entity->setLayer(layer) != Acad::eOk) ok = false;
  }
  return ok;
}

std::vector<uv::engine::LayerData> CKVLLayerManager::Records() const {
  std::vector<uv::engine::LayerData> out;
  for (const auto& l : m_layers) out.push_back({l.m_nType, l.m_strName.str(), l.m_nColor, l.m_strLinetype.str()});
  return out;
}

void CKVLLayerManager::SetRecords(const std::vector<uv::engine::LayerData>& records) {
  m_layers.clear();
  for (const auto& r : records) m_layers.emplace_back(r.type, CString(r.name), r.colour, CString(r.linetype));
}
