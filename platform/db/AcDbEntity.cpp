#include "AcDbEntity.h"

#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbLayerTable.h"
#include "AcDbLinetypeTable.h"
#include "CurveIntersection.h"
#include "DbAccess.h"
#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbEntity, AcDbObject, nullptr)

namespace {

// A copy for the caller of a record's name, the empty text for none.
ACHAR* recordNameCopy(AcDbObjectId id) {
  const ACHAR* name = L"";
  if (auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(id)) rec->getName(name);
  return uv::newResString(name);
}

// The record of the same name as `id` in db's table `tableId`, for an entity
// moving between databases; `id` itself when it is already in db.
AcDbObjectId sameRecordIn(AcDbDatabase* db, AcDbObjectId tableId, AcDbObjectId id) {
  if (id.isNull() || id.database() == db) return id;
  auto* rec = uv::DbAccess::peekAs<AcDbSymbolTableRecord>(id);
  auto* table = uv::DbAccess::peekAs<AcDbSymbolTable>(tableId);
  const ACHAR* name = nullptr;
  AcDbObjectId out;
  if (rec && table && rec->getName(name) == Acad::eOk) table->getAt(name, out);
  return out;
}

}  // namespace

template <class F>
void AcDbEntity::applyToSubents(bool doSubents, F f) {
  f(*this);
  if (!doSubents) return;
  std::vector<AcDbEntity*> subs;
  getSubentities(subs);
  for (AcDbEntity* s : subs) f(*s);
}

AcDbDatabase* AcDbEntity::lookupDatabase() const {
  return database() ? database() : acdbHostApplicationServices()->workingDatabase();
}

AcDbObjectId AcDbEntity::blockId() const {
  AcDbObjectId owner = ownerId();
  for (int guard = 0; guard < 4 && !owner.isNull(); ++guard) {
    AcDbObject* o = uv::DbAccess::peek(owner);
    if (!o || o->isKindOf(AcDbBlockTableRecord::desc())) return owner;
    owner = o->ownerId();
  }
  return owner;
}

ACHAR* AcDbEntity::layer() const { return recordNameCopy(m_layer); }
ACHAR* AcDbEntity::linetype() const { return recordNameCopy(m_linetype); }

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* name, bool doSubents, bool allowHiddenLayer) {
  AcDbDatabase* db = lookupDatabase();
  if (!db) return Acad::eNotInDatabase;
  auto* table = uv::DbAccess::peekAs<AcDbLayerTable>(db->layerTableId());
  AcDbObjectId id;
  if (!name || !table || table->getAt(name, id) != Acad::eOk) return Acad::eKeyNotFound;
  return setLayer(id, doSubents, allowHiddenLayer);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId, bool doSubents, bool) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  auto* rec = uv::DbAccess::peekAs<AcDbLayerTableRecord>(layerId);
  if (!rec || rec->isErased()) return Acad::eKeyNotFound;
  if (database() && layerId.database() != database()) return Acad::eWrongDatabase;
  applyToSubents(doSubents, [&](AcDbEntity& e) { e.m_layer = layerId; });
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, bool doSubents) {
  AcCmColor c;
  if (c.setColorIndex(color) != Acad::eOk) return Acad::eInvalidInput;
  return setColor(c, doSubents);
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, bool doSubents) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  applyToSubents(doSubents, [&](AcDbEntity& e) { e.m_color = color; });
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* name, bool doSubents) {
  AcDbDatabase* db = lookupDatabase();
  if (!db) return Acad::eNotInDatabase;
  auto* table = uv::DbAccess::peekAs<AcDbLinetypeTable>(db->linetypeTableId());
  AcDbObjectId id;
  if (!name || !table || table->getAt(name, id) != Acad::eOk) return Acad::eUndefinedLineType;
  return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId linetypeId, bool doSubents) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  auto* rec = uv::DbAccess::peekAs<AcDbLinetypeTableRecord>(linetypeId);
  if (!rec || rec->isErased()) return Acad::eUndefinedLineType;
  if (database() && linetypeId.database() != database()) return Acad::eWrongDatabase;
  applyToSubents(doSubents, [&](AcDbEntity& e) { e.m_linetype = linetypeId; });
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double scale, bool doSubents) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!(scale > 0)) return Acad::eInvalidInput;
  applyToSubents(doSubents, [&](AcDbEntity& e) { e.m_linetypeScale = scale; });
  return Acad::eOk;
}

bool AcDbEntity::isValidLineWeight(int w) {
  static const int kWeights[] = {0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100,
                                 106, 120, 140, 158, 200, 211, -1, -2, -3};
  for (int k : kWeights)
    if (k == w) return true;
  return false;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight weight, bool doSubents) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!isValidLineWeight(weight)) return Acad::eInvalidInput;
  applyToSubents(doSubents, [&](AcDbEntity& e) { e.m_lineWeight = weight; });
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility v, bool doSubents) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  applyToSubents(doSubents, [&](AcDbEntity& e) { e.m_visibility = v; });
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setDatabaseDefaults(AcDbDatabase* db) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!db) db = lookupDatabase();
  if (!db) return Acad::eNotInDatabase;
  if (database() && db != database()) return Acad::eWrongDatabase;
  m_layer = db->clayer();
  m_linetype = db->celtype();
  m_color.setByLayer();
  m_lineWeight = db->celweight();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, bool doSubents) {
  if (!other) return Acad::eNullEntityPointer;
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (database() && other->database() && database() != other->database()) return Acad::eWrongDatabase;
  applyToSubents(doSubents, [&](AcDbEntity& e) {
    e.m_layer = other->m_layer;
    e.m_linetype = other->m_linetype;
    e.m_color = other->m_color;
    e.m_linetypeScale = other->m_linetypeScale;
    e.m_lineWeight = other->m_lineWeight;
    e.m_visibility = other->m_visibility;
  });
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const {
  uv::CurvePath path;
  if (!getCurvePath(path) || path.empty()) return Acad::eInvalidExtents;
  extents = AcDbExtents();
  uv::addPathExtents(path, extents);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                            AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const {
  if (!other) return Acad::eNullEntityPointer;
  uv::CurvePath a, b;
  if (!getCurvePath(a) || !other->getCurvePath(b)) return Acad::eNotApplicable;
  const bool extendA = (type == AcDb::kExtendThis || type == AcDb::kExtendBoth) && a.size() == 1 && isExtendable();
  const bool extendB = (type == AcDb::kExtendArg || type == AcDb::kExtendBoth) && b.size() == 1 && other->isExtendable();
  return uv::intersectPaths(a, extendA, b, extendB, projPlane, points);
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                            Adesk::GsMarker, Adesk::GsMarker) const {
  AcGePoint3dArray projected;
  const Acad::ErrorStatus es = intersectWith(other, type, AcGePlane::kXYPlane, projected);
  if (es != Acad::eOk) return es;
  AcGePoint3dArray onOther;
  if (other->intersectWith(this, AcDb::Intersect(type == AcDb::kExtendThis ? AcDb::kExtendArg
                                                 : type == AcDb::kExtendArg ? AcDb::kExtendThis : type),
                           AcGePlane::kXYPlane, onOther) != Acad::eOk)
    return Acad::eOk;
  for (const AcGePoint3d& p : projected) {
    for (const AcGePoint3d& q : onOther) {
      if (p.distanceTo(q) <= uv::kIntersectionTolerance * (1 + p.asVector().length())) {
        points.append(p);
        break;
      }
    }
  }
  return Acad::eOk;
}

void AcDbEntity::getReferences(std::vector<uv::ObjectReference>& refs) const {
  refs.push_back({m_layer, "layer", AcDbLayerTableRecord::desc()});
  refs.push_back({m_linetype, "linetype", AcDbLinetypeTableRecord::desc()});
}

Acad::ErrorStatus AcDbEntity::subPrepareAdd(AcDbDatabase* db) {
  if (!m_layer.isNull() && sameRecordIn(db, db->layerTableId(), m_layer).isNull()) return Acad::eWrongDatabase;
  if (!m_linetype.isNull() && sameRecordIn(db, db->linetypeTableId(), m_linetype).isNull()) return Acad::eWrongDatabase;
  return Acad::eOk;
}

void AcDbEntity::subAdded() {
  AcDbDatabase* db = database();
  m_layer = m_layer.isNull() ? db->clayer() : sameRecordIn(db, db->layerTableId(), m_layer);
  m_linetype = m_linetype.isNull() ? db->celtype() : sameRecordIn(db, db->linetypeTableId(), m_linetype);
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
  return acdbOpenObject(ent, id, mode, openErased);
}
