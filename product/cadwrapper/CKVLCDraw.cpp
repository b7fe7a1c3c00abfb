#include "product/cadwrapper/CKVLCDraw.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>

#include "base/TextCase.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/dxf/DxfFile.h"
#include "ed/EdPrint.h"
#include "ed/FileFinder.h"
#include "product/cadwrapper/BlockImporter.h"

namespace {

Acad::ErrorStatus g_status = Acad::eOk;
CString g_error;

AcDbObjectId failed(Acad::ErrorStatus es) {
  g_status = es;
  return AcDbObjectId();
}

// Adds a new entity to the current space with the drawing's current
// properties; hands it to the pointer, or closes it.
template <class T, class Ptr>
AcDbObjectId append(std::unique_ptr<T> entity, Ptr* pointer) {
  g_error.Empty();
  AcDbDatabase* db = acdbCurDwg();
  if (!db) return failed(Acad::eNotInDatabase);
  entity->setDatabaseDefaults(db);
  CKVLCObjectPtr<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForWrite);
  if (!space.isOpen()) return failed(space.status());
  AcDbObjectId id;
  if (Acad::ErrorStatus es = space->appendAcDbEntity(id, entity.get()); es != Acad::eOk) return failed(es);
  T* added = entity.release();
  if (pointer) pointer->acquire(added);
  else added->close();
  g_status = Acad::eOk;
  return id;
}

// The drawing's folder, where a bare file name is looked for first.
std::wstring drawingFolder(const AcDbDatabase* db) {
  const ACHAR* name = nullptr;
  if (!db || db->getFilename(name) != Acad::eOk || !name || !*name) return {};
  return uv::fromUtf8(std::filesystem::path(uv::toUtf8(name)).parent_path().string());
}

}  // namespace

AcDbObjectId CKVLCDraw::line(const AcGePoint3d& p1, const AcGePoint3d& p2, CKVLCLinePtr* pointer) {
  return append(std::make_unique<AcDbLine>(p1, p2), pointer);
}

AcDbObjectId CKVLCDraw::face(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3, bool visible1,
                             bool visible2, bool visible3, CKVLCFacePtr* pointer) {
  return append(std::make_unique<AcDbFace>(p1, p2, p3, visible1, visible2, visible3, visible3), pointer);
}

AcDbObjectId CKVLCDraw::face(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3,
                             const AcGePoint3d& p4, bool visible1, bool visible2, bool visible3, bool visible4,
                             CKVLCFacePtr* pointer) {
  return append(std::make_unique<AcDbFace>(p1, p2, p3, p4, visible1, visible2, visible3, visible4), pointer);
}

AcDbObjectId CKVLCDraw::polylineLW(const AcGePoint3dArray& points, double width, int closed,
                                   CKVLCPolylineLWPtr* pointer) {
  if (points.length() < 2 || !(width >= 0)) return failed(Acad::eInvalidInput);
  auto pline = std::make_unique<AcDbPolyline>();
  for (int i = 0; i < points.length(); ++i)
    pline->addVertexAt(unsigned(i), points[i].convert2d());
  pline->setConstantWidth(width);
  pline->setElevation(points[0].z);
  pline->setClosed(closed != 0);
  return append(std::move(pline), pointer);
}

AcDbObjectId CKVLCDraw::polyline3d(const AcGePoint3dArray& points, int closed, CKVLC3dPolylinePtr* pointer) {
  if (points.length() < 2) return failed(Acad::eInvalidInput);
  return append(std::make_unique<AcDb3dPolyline>(AcDb::k3dSimplePoly, points, closed != 0), pointer);
}

AcDbObjectId CKVLCDraw::insertBlockDefinition(const wchar_t* name, const wchar_t* file) {
  g_error.Empty();
  AcDbDatabase* db = acdbCurDwg();
  if (!db) return failed(Acad::eNotInDatabase);
  if (!name || !*name) return failed(Acad::eInvalidInput);
  {
    CKVLCObjectPtr<AcDbBlockTable> table(db->blockTableId());
    AcDbObjectId existing;
    if (table.isOpen() && table->getAt(name, existing) == Acad::eOk) {
      g_status = Acad::eOk;
      return existing;
    }
  }
  std::optional<std::wstring> path = uv::FileFinder::find(file ? file : L"", drawingFolder(db));
  if (!path) return failed(Acad::eFileNotFound);

  AcDbDatabase source;
  uv::dxf::Result loaded = uv::dxf::load(*path, source);
  if (!loaded) {
    g_error = CString(loaded.error);
    acutPrintf(L"\nCannot read the block %s: %s\n", name, g_error.GetString());
    return failed(Acad::eFileAccessErr);
  }
  AcDbObjectId sourceBlock = source.modelSpaceId();
  {
    CKVLCObjectPtr<AcDbBlockTable> table(source.blockTableId());
    AcDbObjectId named;
    if (table.isOpen() && table->getAt(name, named) == Acad::eOk) sourceBlock = named;
  }
  uv::cadwrapper::BlockImporter importer(source, *db);
  AcDbObjectId block;
  if (Acad::ErrorStatus es = importer.importBlock(sourceBlock, name, block); es != Acad::eOk) return failed(es);
  g_status = Acad::eOk;
  return block;
}

AcDbObjectId CKVLCDraw::insertBlockReference(AcDbObjectId block, const AcGePoint3d& position,
                                             const CStringArray& texts, double scale,
                                             CKVLCBlockReferencePtr* pointer) {
  if (!(scale != 0) || !std::isfinite(scale)) return failed(Acad::eInvalidInput);
  std::vector<AcDbObjectId> definitions;
  {
    CKVLCObjectPtr<AcDbBlockTableRecord> record(block);
    if (!record.isOpen()) return failed(record.status());
    if (record->isLayout()) return failed(Acad::eInvalidInput);
    for (AcDbObject* object : record->entities()) {
      const auto* def = AcDbAttributeDefinition::cast(object);
      if (def && !def->isConstant()) definitions.push_back(def->objectId());
    }
  }
  auto reference = std::make_unique<AcDbBlockReference>(position, block);
  reference->setScaleFactors(AcGeScale3d(scale));
  CKVLCBlockReferencePtr held;
  AcDbObjectId id = append(std::move(reference), &held);
  if (id.isNull()) return id;

  AcDbBlockReference* ref = held.object();
  for (size_t i = 0; i < definitions.size(); ++i) {
    CKVLCObjectPtr<AcDbAttributeDefinition> def(definitions[i]);
    if (!def.isOpen()) continue;
    auto attribute = std::make_unique<AcDbAttribute>();
    attribute->setAttributeFromBlock(def.object(), AcGeVector3d());
    attribute->setPosition(ref->blockToWorld(def->position()));
    attribute->setAlignmentPoint(ref->blockToWorld(def->alignmentPoint()));
    attribute->setHeight(def->height() * std::abs(scale));
    attribute->setRotation(def->rotation() + ref->rotation());
    // A definition on layer 0 takes the layer of its reference, as block
    // entities on layer 0 do.
    if (def->layerId() == ref->database()->layerZero()) attribute->setLayer(ref->layerId(), false);
    if (int(i) < texts.GetSize()) attribute->setTextString(texts[int(i)]);
    AcDbAttribute* added = attribute.release();
    if (ref->appendAttribute(added) == Acad::eOk) added->close();
    else delete added;
  }
  if (pointer) {
    AcDbBlockReference* open = nullptr;
    held.release(open);
    pointer->acquire(open);
  }
  g_status = Acad::eOk;
  return id;
}

Acad::ErrorStatus CKVLCDraw::lastStatus() { return g_status; }

const CString& CKVLCDraw::lastError() { return g_error; }
