#include "module/contours/ContourDrawing.h"

#include <boost/make_shared.hpp>

#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "module/components/EntityGroup.h"
#include "module/points/StatusBarProgress.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/engine/CIzoLine.h"
#include "product/engine/CIzoLineLabelDefinition.h"
#include "product/engine/CKVLIzoLineManager.h"
#include "product/engine/CKVLLayerManager.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CSurfaceDesc.h"
#include "product/giscore/CModuleConfiguration.h"

namespace uv::contours {

namespace {

constexpr UINT kMsgProgress = 6277;

void DrawContourLevel(CKVLIzoLineManager& manager, double level, bool major, const CContourClass::Style& style,
                      bool atZero, AcDbObjectIdArray& all) {
  AcDbObjectIdArray ids;
  if (manager.Create(level, major ? 1 : 0, ids, atZero ? 1 : 0) > 0) {
    for (const AcDbObjectId& id : ids) {
      AcDbObjectPointer<AcDbPolyline> polyline(id, AcDb::kForWrite);
      if (polyline.openStatus() != Acad::eOk) continue;  // keeps its own properties
      polyline->setColorIndex(Adesk::UInt16(style.colourIndex), true);
      polyline->setLinetype(style.linetype, true);
      polyline->setLineWeight(AcDb::LineWeight(style.lineWeight), true);
    }
  }
  all.append(ids);
}

}  // namespace

AcDbObjectIdArray DrawContours(CKVLSurfaceManager& surfaces, CKVLXsurface_Vantor2& surface, const MergedLevels& levels,
                               const ContourStyles& styles, bool atZero, bool group) {
  AcDbObjectIdArray all;
  CKVLIzoLineManager manager;
  manager.Surface(&surface);
  uv::StatusBarProgress progress(CModuleConfiguration::GetMsg(kMsgProgress), 0, int(levels.size()));
  int i = 0;
  for (const auto& [level, major] : levels) {
    DrawContourLevel(manager, level, major, major ? styles.major : styles.minor, atZero, all);
    progress.set(i++);
  }
  CKVLSurfaceManager::CSurfaceDesc* desc = surfaces.GetSurfaceDescription(surface.Name());
  if (CKVLLayerManager* layers = desc ? desc->GetLayerManager() : nullptr)
    layers->SetOnLayer(CKVLLayerManager::kContours, all);
  if (group) CreateEntityGroup(all);
  return all;
}

AcDbObjectIdArray LabelContours(CKVLXsurface_Vantor2* surface, const AcGePoint3dArray& path, bool group) {
  CIzoLine::LoadWipeout();
  auto definition = boost::make_shared<Vantor2_Configurations::CIzoLineLabelDefinition>();
  CKVLIzoLineManager manager;
  const AcGePlane plane(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1));
  manager.Surface(surface);
  AcDbObjectIdArray contours;
  manager.Select(path, contours);

  CKVLCPolylineLWPtr line;
  CKVLCDraw::polylineLW(path, 0.0, 0, &line);
  AcDbObjectIdArray labels;
  for (const AcDbObjectId& id : contours) {
    CIzoLine contour;
    if (contour.Open(id, AcDb::kForWrite) != Acad::eOk || !line.isOpen()) continue;
    AcGePoint3dArray crossings;
    if (contour.Entity()->intersectWith(line.object(), AcDb::kOnBothOperands, plane, crossings, 0, 0) != Acad::eOk)
      continue;
    for (const AcGePoint3d& at : crossings) {
      AcDbObjectIdArray made;
      contour.DrawLabel(at, definition, made);
      labels.append(made);
    }
    contour.Close();
  }
  line.close();
  if (group) CreateEntityGroup(labels);
  return labels;
}

}  // namespace uv::contours
