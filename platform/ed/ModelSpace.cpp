#include "ModelSpace.h"

#include <algorithm>
#include <memory>

#include "base/TextCase.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbBlockTableRecordIterator.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbObjectIterator.h"
#include "db/AcDbObjectPointer.h"
#include "EntityOutline.h"

namespace uv {

namespace {

std::wstring takeString(ACHAR* s) {
  std::wstring out = s ? s : L"";
  acutDelString(s);
  return out;
}

bool hasLiveAttributes(const AcDbBlockReference& ref) {
  std::unique_ptr<AcDbObjectIterator> it(ref.attributeIterator());
  return it && !it->done();
}

std::wstring blockName(AcDbObjectId block) {
  AcDbObjectPointer<AcDbBlockTableRecord> rec(block, AcDb::kForRead);
  const ACHAR* name = nullptr;
  if (rec.openStatus() != Acad::eOk || rec->getName(name) != Acad::eOk || !name) return {};
  return name;
}

// Runs f(id, entity) for each live model-space entity, opened for read.
template <class F>
void forEachEntity(AcDbDatabase* db, F&& f) {
  for (AcDbObjectId id : ModelSpace::entities(db)) {
    AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
    if (ent.openStatus() == Acad::eOk) f(id, *ent.object());
  }
}

}  // namespace

std::vector<AcDbObjectId> ModelSpace::entities(AcDbDatabase* db) {
  std::vector<AcDbObjectId> ids;
  if (!db) return ids;
  AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForRead);
  if (space.openStatus() != Acad::eOk) return ids;
  AcDbBlockTableRecordIterator* raw = nullptr;
  if (space->newIterator(raw) != Acad::eOk || !raw) return ids;
  std::unique_ptr<AcDbBlockTableRecordIterator> it(raw);
  for (; !it->done(); it->step()) {
    AcDbObjectId id;
    if (it->getEntityId(id) == Acad::eOk && !id.isErased()) ids.push_back(id);
  }
  return ids;
}

EntityFacts ModelSpace::facts(const AcDbEntity& entity) {
  EntityFacts f;
  const ACHAR* dxf = entity.isA()->dxfName();
  f.dxfName = dxf ? dxf : L"";
  AcDbHandle handle;
  entity.getAcDbHandle(handle);
  ACHAR buf[32] = {};
  handle.getIntoAsciiBuffer(buf, 32);
  f.handle = buf;
  f.layer = takeString(entity.layer());
  f.linetype = takeString(entity.linetype());
  f.colour = entity.colorIndex();
  if (const AcDbBlockReference* ref = AcDbBlockReference::cast(&entity)) {
    f.blockName = blockName(ref->blockTableRecord());
    f.entitiesFollow = hasLiveAttributes(*ref) ? 1 : 0;
  } else if (f.dxfName == L"POLYLINE") {
    f.entitiesFollow = 1;  // the vertices follow a POLYLINE in a drawing file
  }
  return f;
}

AcDbObjectId ModelSpace::byHandle(AcDbDatabase* db, const std::wstring& hex) {
  if (!db) return AcDbObjectId::kNull;
  AcDbHandle handle(hex.c_str());
  if (handle.isNull()) return AcDbObjectId::kNull;
  AcDbObjectId id;
  if (db->getAcDbObjectId(id, false, handle) != Acad::eOk || id.isNull() || id.isErased()) return AcDbObjectId::kNull;
  for (AcDbObjectId e : entities(db))
    if (e == id) return id;
  return AcDbObjectId::kNull;  // not a model-space entity
}

AcDbObjectId ModelSpace::pick(AcDbDatabase* db, const AcGePoint3d& p, double tolerance) {
  AcDbObjectId best;
  double bestDistance = tolerance;
  forEachEntity(db, [&](AcDbObjectId id, const AcDbEntity& e) {
    double d = EntityOutline::of(e).distanceTo(p.convert2d());
    if (d <= bestDistance) {
      best = id;
      bestDistance = d;
    }
  });
  return best;
}

std::vector<AcDbObjectId> ModelSpace::window(AcDbDatabase* db, const AcGePoint3d& a, const AcGePoint3d& b,
                                             bool crossing) {
  AcGePoint2d lo(std::min(a.x, b.x), std::min(a.y, b.y)), hi(std::max(a.x, b.x), std::max(a.y, b.y));
  std::vector<AcDbObjectId> ids;
  forEachEntity(db, [&](AcDbObjectId id, const AcDbEntity& e) {
    EntityOutline o = EntityOutline::of(e);
    if (crossing ? o.crosses(lo, hi) : o.inside(lo, hi)) ids.push_back(id);
  });
  return ids;
}

}  // namespace uv
