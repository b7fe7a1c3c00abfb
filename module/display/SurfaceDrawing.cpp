#include "module/display/SurfaceDrawing.h"

#include <algorithm>

#include "ed/EdGraphics.h"
#include "module/components/EntityGroup.h"
#include "module/display/AreaPolygon.h"
#include "module/display/EntityTagging.h"
#include "module/points/StatusBarProgress.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/engine/CKVLLayerManager.h"
#include "product/engine/CKVLPoint3dArray.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CSurfaceDesc.h"
#include "product/giscore/CModuleConfiguration.h"

namespace uv::display {

namespace {

constexpr UINT kMsgProgress = 4999;
constexpr int kTemporaryColour = 2;

enum LayerType : int { kTriangleLayer = 1, kGridLayer = 2, kBoundaryLayer = 3 };

void DrawTemporaryVector(const AcGePoint3d& a, const AcGePoint3d& b) {
  const ads_point from = {a.x, a.y, a.z}, to = {b.x, b.y, b.z};
  acedGrDraw(from, to, kTemporaryColour, 0);
}

void PutOnLayer(const ShowRequest& request, int type, const AcDbObjectIdArray& ids) {
  if (!request.surfaceSelected || !request.manager) return;
  CKVLSurfaceManager::CSurfaceDesc* desc = request.manager->GetSurfaceDescription(request.surfaceName);
  if (!desc) return;
  if (CKVLLayerManager* layers = desc->GetLayerManager()) layers->SetOnLayer(type, ids);
}

// The common ending: the group when asked for and worth it, then the layer.
void Finish(const ShowRequest& request, int type, const AcDbObjectIdArray& ids) {
  if (request.group && ids.length() >= 2) CreateEntityGroup(ids);
  PutOnLayer(request, type, ids);
}

// The points of an element, all of them or none.
template <class Element>
bool ElementPoints(const CKVLXsurface_Vantor2& surface, const Element& element, AcGePoint3d* points) {
  for (int k = 0; k < Element::kPoints; ++k)
    if (surface.GetPointAtIndex(element.Point(k), points[k]) != 1) return false;
  return true;
}

// Walks the elements of the whole surface (the surface's own array) or of
// the area (a local array that releases its elements as its flag says),
// calling draw(i, points) for every element whose points are all known.
// `drawn`, when given, is made room in for an id per element: SHOW collects
// millions of them, and an array grown by doubling copies itself and takes
// fresh memory at every step.
template <class Element, class Draw>
void WalkElements(const ShowRequest& request, CKVLXsurface_Vantor2& surface, CKVLPointerArray<Element>* all,
                  int (CKVLXsurface_Vantor2::*contained)(const AcGePoint3dArray&, CKVLPointerArray<Element>&) const,
                  AcDbObjectIdArray* drawn, Draw&& draw) {
  CKVLPointerArray<Element> local;
  CKVLPointerArray<Element>* elements = all;
  if (request.area != 0) {
    (surface.*contained)(request.polygon, local);
    elements = &local;
  }
  const int total = elements ? elements->length() : 0;
  if (drawn) drawn->setPhysicalLength(drawn->length() + total);
  StatusBarProgress progress(CModuleConfiguration::GetMsg(kMsgProgress), 0, total);
  AcGePoint3d points[Element::kPoints];
  for (int i = 0; i < total; ++i) {
    const Element* element = (*elements)[i];
    if (element && ElementPoints(surface, *element, points)) draw(i, points);
    progress.set(i + 1);
  }
}

}  // namespace

GridFrame GridFrameFor(const ShowRequest& request, const CKVLXsurface_Vantor2& surface) {
  GridFrame g;
  g.dx = request.stepX;
  g.dy = request.stepY;
  if (request.area == 0) {
    const AcDbExtents extents = surface.Boundary();
    g.min = extents.minPoint();
    g.max = extents.maxPoint();
  } else if (!request.polygon.isEmpty()) {
    g.min = g.max = request.polygon.first();
    for (const AcGePoint3d& p : request.polygon) {
      g.min = AcGePoint3d(std::min(g.min.x, p.x), std::min(g.min.y, p.y), std::min(g.min.z, p.z));
      g.max = AcGePoint3d(std::max(g.max.x, p.x), std::max(g.max.y, p.y), std::max(g.max.z, p.z));
    }
  }
  return g;
}

AcDbObjectIdArray DrawBoundary(const ShowRequest& request, CKVLXsurface_Vantor2& surface) {
  AcDbObjectIdArray ids;
  const int rings = surface.GetBoundaryCount();
  for (int i = 0; i < rings; ++i) {
    CKVLPoint3dArray ring;
    if (surface.Boundary(i, ring) <= 0) continue;
    const AcDbObjectId id = CKVLCDraw::polylineLW(ring, 0.0, 0, nullptr);
    if (!id.isNull()) ids.append(id);
  }
  if (ids.length() > 1) CreateEntityGroup(ids);
  PutOnLayer(request, kBoundaryLayer, ids);
  return ids;
}

AcDbObjectIdArray DrawTriangleEdges(const ShowRequest& request, CKVLXsurface_Vantor2& surface, bool temporary) {
  AcDbObjectIdArray ids;
  const CString name = surface.Name();
  WalkElements<CKVLEdge>(request, surface, surface.GetAllEdges(), &CKVLXsurface_Vantor2::GetContainedEdges,
                         temporary ? nullptr : &ids, [&](int i, const AcGePoint3d* p) {
                           if (temporary) {
                             DrawTemporaryVector(p[0], p[1]);
                             return;
                           }
                           const AcDbObjectId id = CKVLCDraw::line(p[0], p[1], nullptr);
                           if (id.isNull()) return;
                           ids.append(id);
                           TagTriangleEdge(id, name, i);
                         });
  Finish(request, kTriangleLayer, ids);
  return ids;
}

AcDbObjectIdArray DrawTriangleFaces(const ShowRequest& request, CKVLXsurface_Vantor2& surface) {
  AcDbObjectIdArray ids;
  const CString name = surface.Name();
  WalkElements<CKVLTriangle>(request, surface, surface.GetAllTriangles(),
                             &CKVLXsurface_Vantor2::GetContainedTriangles, &ids, [&](int i, const AcGePoint3d* p) {
                               const AcDbObjectId id = CKVLCDraw::face(p[0], p[1], p[2], true, true, true, nullptr);
                               if (id.isNull()) return;
                               ids.append(id);
                               TagTriangleFace(id, name, i);
                             });
  Finish(request, kTriangleLayer, ids);
  return ids;
}

AcDbObjectIdArray DrawGridLines(const ShowRequest& request, CKVLXsurface_Vantor2& surface, bool temporary) {
  AcDbObjectIdArray ids;
  const GridFrame g = GridFrameFor(request, surface);
  StatusBarProgress progress(CModuleConfiguration::GetMsg(kMsgProgress), 0, g.segmentTotal());
  int visited = 0;
  if (g.dx > 0 && g.dy > 0) {
    WalkGridSegments(g, [&](AcGePoint3d a, AcGePoint3d b) {
      if (IsInsidePolygon(request.polygon, a) && IsInsidePolygon(request.polygon, b) &&
          surface.Elevation(a, a.z) == 1 && surface.Elevation(b, b.z) == 1) {
        if (temporary) {
          DrawTemporaryVector(a, b);
        } else if (const AcDbObjectId id = CKVLCDraw::line(a, b, nullptr); !id.isNull()) {
          ids.append(id);
        }
      }
      progress.set(++visited);
    });
  }
  Finish(request, kGridLayer, ids);
  return ids;
}

AcDbObjectIdArray DrawGridFaces(const ShowRequest& request, CKVLXsurface_Vantor2& surface) {
  AcDbObjectIdArray ids;
  const GridFrame g = GridFrameFor(request, surface);
  StatusBarProgress progress(CModuleConfiguration::GetMsg(kMsgProgress), 0, g.cellTotal());
  int visited = 0;
  if (g.dx > 0 && g.dy > 0) {
    WalkGridCells(g, [&](AcGePoint3d c0, AcGePoint3d c1, AcGePoint3d c2, AcGePoint3d c3) {
      const AcGePoint3dArray& area = request.polygon;
      if (IsInsidePolygon(area, c0) && IsInsidePolygon(area, c1) && IsInsidePolygon(area, c2) &&
          IsInsidePolygon(area, c3) && surface.Elevation(c0, c0.z) == 1 && surface.Elevation(c1, c1.z) == 1 &&
          surface.Elevation(c2, c2.z) == 1 && surface.Elevation(c3, c3.z) == 1) {
        const AcDbObjectId id = CKVLCDraw::face(c0, c1, c2, c3, true, true, true, true, nullptr);
        if (!id.isNull()) ids.append(id);
      }
      progress.set(++visited);
    });
  }
  Finish(request, kGridLayer, ids);
  return ids;
}

}  // namespace uv::display
