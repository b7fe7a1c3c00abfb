#include "module/points/EntityKind.h"

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"

namespace uv {

EntityKind EntityKindOf(const AcDbEntity* entity) {
  if (!entity) return EntityKind::kNone;
  struct Test {
    AcRxClass* cls;
    EntityKind kind;
  };
  const Test order[] = {
      {AcDbLine::desc(), EntityKind::kLine},
      {AcDbArc::desc(), EntityKind::kArc},
      {AcDbPolyline::desc(), EntityKind::kLwPolyline},
      {AcDb2dPolyline::desc(), EntityKind::k2dPolyline},
      {AcDb3dPolyline::desc(), EntityKind::k3dPolyline},
      {AcDbCircle::desc(), EntityKind::kCircle},
      {AcDbBlockReference::desc(), EntityKind::kBlockReference},
      {AcDbPoint::desc(), EntityKind::kPoint},
      {AcDbText::desc(), EntityKind::kText},
      {AcDbFace::desc(), EntityKind::kFace},
  };
  for (const Test& t : order)
    if (entity->isKindOf(t.cls)) return t.kind;
  return EntityKind::kNone;
}

const wchar_t* FilterTypeName(EntityKind kind) {
  switch (kind) {
    case EntityKind::kLine: return L"LINE";
    case EntityKind::kArc: return L"ARC";
    case EntityKind::kLwPolyline: return L"LWPOLYLINE";
    case EntityKind::k2dPolyline:
    case EntityKind::k3dPolyline: return L"POLYLINE";
    case EntityKind::kCircle: return L"CIRCLE";
    case EntityKind::kBlockReference: return L"INSERT";
    case EntityKind::kPoint: return L"POINT";
    case EntityKind::kText: return L"TEXT";
    case EntityKind::kFace: return L"3DFACE";
    case EntityKind::kNone: break;
  }
  return L"";
}

}  // namespace uv
