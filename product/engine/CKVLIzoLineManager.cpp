// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CKVLIzoLineManager.h"

#include <span>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "ed/ModelSpace.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/ContourTag.h"

namespace {

AcDbDatabase* drawingOf(const CKVLXsurface_Vantor2* surface) {
  AcDbDatabase* db = surface ? surface->Database() : nullptr;
  return db ? db : acdbCurDwg();
}

class PolylineSink : public tin::ContourSink {
 public:
  struct Line {
    std::vector<tin::Point3> points;
    bool closed;
  };
  void addContour(double, std::span<const tin::Point3> points, bool closed) override {
    lines.push_back({{points.begin(), points.end()}, closed});
  }
  std::vector<Line> lines;
};

}  // namespace

int CKVLIzoLineManager::Create(double level, int major, AcDbObjectIdArray& ids, int atZero) {
  AcDbDatabase* db = drawingOf(m_pSurface);
  if (!m_pSurface || !db) return 0;
  PolylineSink sink;
  const double levels[1] = {level};
  m_pSurface->Triangulation().Surface().traceContours(levels, sink);
  if (sink.lines.empty()) return 0;

  AcDbObjectPointer<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForWrite);
  if (space.openStatus() != Acad::eOk) return 0;
  const uv::engine::ContourTag tag{m_pSurface->Name().str(), level, major != 0};
  int made = 0;
  for (const auto& line : sink.lines) {
    auto* polyline = new AcDbPolyline();
    for (const auto& p : line.points) polyline->addVertexAt(polyline->numVerts(), AcGePoint2d(p.x, p.y));
    polyline->setElevation(atZero ? 0.0 : level);
    polyline->setClosed(line.closed);
    AcDbObjectId id;
    if (space->appendAcDbEntity(id, polyline) != Acad::eOk) {
      delete polyline;
      continue;
    }
    uv::engine::tagContour(*polyline, tag);
    polyline->close();
    ids.append(id);
    ++made;
  }
  return made;
}

int CKVLIzoLineManager::Select(const AcGePoint3dArray& path, AcDbObjectIdArray& ids) const {
  ids.removeAll();
  AcDbDatabase* db = drawingOf(m_pSurface);
  if (!m_pSurface || !db || path.length() < 2) return 0;
  AcDbPolyline probe;
  for (const auto& p : path) probe.addVertexAt(probe.numVerts(), AcGePoint2d(p.x, p.y));
  AcDbExtents probeBox;
  probe.getGeomExtents(probeBox);
  const std::wstring name = m_pSurface->Name().str();
  for (const AcDbObjectId& id : uv::ModelSpace::entities(db)) {
    AcDbObjectPointer<AcDbPolyline> contour(id, AcDb::kForRead);
    if (contour.openStatus() != Acad::eOk) continue;
    const auto tag = uv::engine::contourTagOf(*contour.object());
    if (!tag || tag->surface != name) continue;
    AcDbExtents box;
    if (contour->getGeomExtents(box) != Acad::eOk) continue;
    if (box.maxPoint().x < probeBox.minPoint().x || box.minPoint().x > probeBox.maxPoint().x ||
        box.maxPoint().y < probeBox.minPoint().y || box.minPoint().y > probeBox.maxPoint().y)
      continue;
    AcGePoint3dArray crossings;
    if (contour->intersectWith(&probe, AcDb::kOnBothOperands, AcGePlane::kXYPlane, crossings) == Acad::eOk &&
        crossings.length() > 0)
      ids.append(id);
  }
  return ids.length();
}
