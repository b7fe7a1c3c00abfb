#include "module/points/EntityPoints.h"

#include "db/AcDbBlockTableRecord.h"
#include "module/points/EntityKind.h"
#include "module/points/NumberText.h"
#include "product/cadwrapper/CKVLC2dPolylinePtr.h"
#include "product/cadwrapper/CKVLC3dPolylinePtr.h"
#include "product/cadwrapper/CKVLCBlockReferencePtr.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"
#include "product/engine/CUniquePointSet.h"

namespace uv {

namespace {

EntityKind kindOf(AcDbObjectId id) {
  CKVLCEntityPtr entity(id);
  return entity.isOpen() ? EntityKindOf(entity) : EntityKind::kNone;
}

template <class Pointer>
void addVertices(AcDbObjectId id, CUniquePointSet& points) {
  Pointer polyline(id);
  AcGePoint3dArray vertices;
  if (polyline.getVertexPoints(vertices) != Acad::eOk) return;
  for (int i = 0; i < vertices.length(); ++i) points.AddPoint(vertices[i]);
}

// The point with its Z read from a text; nothing for an empty text.
void addWithElevation(AcGePoint3d point, const CString& text, CUniquePointSet& points) {
  if (text.IsEmpty()) return;
  point.z = NumberFromText(text);
  points.AddPoint(point);
}

void addBlockReference(AcDbObjectId id, const EntityPointRules& rules, CUniquePointSet& points) {
  CKVLCBlockReferencePtr reference(id);
  if (!reference.isOpen()) return;
  CKVLCObjectPtr<AcDbBlockTableRecord> block(reference->blockTableRecord());
  if (!block.isOpen()) return;
  const AcGePoint3d insertion = reference->position();
  if (!block->hasAttributeDefinitions()) {
    points.AddPoint(insertion);
    return;
  }
  CString name;
  block->getName(name);
  auto tag = rules.blockTags.find(name);
  if (tag == rules.blockTags.end()) return;  // its row is not checked
  if (tag->second.IsEmpty()) points.AddPoint(insertion);
  else addWithElevation(insertion, reference.getAttributeText(tag->second), points);
}

}  // namespace

void AddEntityPoints(AcDbObjectId id, const EntityPointRules& rules, CUniquePointSet& points) {
  switch (kindOf(id)) {
    case EntityKind::kLine: {
      CKVLCLinePtr line(id);
      if (!line.isOpen()) return;
      points.AddPoint(line->startPoint());
      points.AddPoint(line->endPoint());
      return;
    }
    case EntityKind::kArc: {
      CKVLCArcPtr arc(id);
      AcGePoint3d start, end;
      if (!arc.isOpen() || arc->getStartPoint(start) != Acad::eOk || arc->getEndPoint(end) != Acad::eOk) return;
      points.AddPoint(start);
      points.AddPoint(end);
      return;
    }
    case EntityKind::kLwPolyline: addVertices<CKVLCPolylineLWPtr>(id, points); return;
    case EntityKind::k2dPolyline: addVertices<CKVLC2dPolylinePtr>(id, points); return;
    case EntityKind::k3dPolyline: addVertices<CKVLC3dPolylinePtr>(id, points); return;
    case EntityKind::kCircle: {
      CKVLCCirclePtr circle(id);
      if (circle.isOpen()) points.AddPoint(circle->center());
      return;
    }
    case EntityKind::kBlockReference: addBlockReference(id, rules, points); return;
    case EntityKind::kPoint: {
      CKVLCPointPtr point(id);
      if (point.isOpen()) points.AddPoint(point->position());
      return;
    }
    case EntityKind::kText: {
      CKVLCTextPtr text(id);
      if (!text.isOpen()) return;
      if (rules.textElevation) addWithElevation(text->position(), text->textStringConst(), points);
      else points.AddPoint(text->position());
      return;
    }
    case EntityKind::kFace: {
      CKVLCFacePtr face(id);
      if (!face.isOpen()) return;
      for (Adesk::UInt16 i = 0; i < 4; ++i) {
        AcGePoint3d vertex;
        if (face->getVertexAt(i, vertex) == Acad::eOk) points.AddPoint(vertex);
      }
      return;
    }
    case EntityKind::kNone: return;
  }
}

}  // namespace uv
