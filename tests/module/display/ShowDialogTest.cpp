// The show-surface dialog: the zoom and what OK draws. (The enabling rules
// and refused spacings: e2e_display_dialog; polygons, the current view and
// spacings from a rectangle: e2e_display_show_survey.)
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "SurfacesFixture.h"
#include "tests/module/DrawingGroups.h"
#include "base/TextCase.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "ed/ProgressMeter.h"
#include "module/display/dlg_PrikazPlohe.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/giscore/CModuleConfiguration.h"

namespace uvtest {
namespace {

class ShowDialogTest : public SurfacesFixture {
 protected:
  // Model-space entities of a class, in drawing order.
  template <class T>
  std::vector<T*> all() {
    std::vector<T*> out;
    AcDbObjectPointer<AcDbBlockTableRecord> space(doc->database()->modelSpaceId());
    for (AcDbObject* o : space->entities())
      if (auto* e = T::cast(o)) out.push_back(e);
    return out;
  }
  static CString layerOf(const AcDbEntity* e) {
    ACHAR* name = e->layer();
    const CString out(name);
    acutDelString(name);
    return out;
  }
  int groupCount() const { return int(groupsOf(doc->database()).size()); }
  // A surface of a 3 x 3 lattice of points 10 apart, z = x + y.
  CKVLXsurface_Vantor2* lattice(const wchar_t* name) {
    CKVLXsurface_Vantor2* s = manager()->CreateSurface(name, CKVLSurfaceManager::kDrawingStorage, nullptr, false);
    CUniquePointSet points;
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) points.AddPoint(AcGePoint3d(i * 10, j * 10, i * 10 + j * 10));
    s->SetPoints(points);
    return s;
  }
  // A new, empty drawing in place of the fixture's.
  void freshDrawing() {
    CKVLSurfaceManager::Release(doc->database());
    ASSERT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
    doc = acDocManager->addDocument(std::make_unique<AcDbDatabase>(), L"/drawings/site.dxf");
  }
  INT_PTR run(dlg_PrikazPlohe& dlg, const wchar_t* name = L"Teren") {
    dlg.m_strSurfaceName = name;
    return dlg.DoModal();
  }
};

TEST_F(ShowDialogTest, ZoomShowsTheSurfaceAndWaitsForEnter) {
  makeSurface(L"Teren");
  script({L"click IDC_ZOOM", L"enter", L"click IDCANCEL"});
  dlg_PrikazPlohe dlg;
  EXPECT_EQ(run(dlg), IDCANCEL);
  EXPECT_NEAR(doc->view().centre().x, 5, 1e-9);
  EXPECT_NEAR(doc->view().centre().y, 5, 1e-9);
}

// What OK draws of the 3 x 3 lattice, and the progress it shows: a total
// of every element (for the grid, of (20/10)^2 cells or twice as many
// segments), advanced for each one visited (those ending below the maximum).
TEST_F(ShowDialogTest, TheTableOfDrawings) {
  struct Case {
    const wchar_t* mesh;
    const wchar_t* display;
    bool group;
    size_t lines, faces, vectors;
    int layerType;  // of the drawn entities; 0 for none
    int groups, progressTotal, visited;
  } cases[] = {
      {L"IDC_MESH_TRIANGLES", L"IDC_DISPLAY_TEMPORARY", false, 0, 0, 16, 0, 0, 16, 16},
      {L"IDC_MESH_TRIANGLES", L"IDC_DISPLAY_LINES", true, 16, 0, 0, 1, 1, 16, 16},
      {L"IDC_MESH_TRIANGLES", L"IDC_DISPLAY_FACES", false, 0, 8, 0, 1, 0, 8, 8},
      {L"IDC_MESH_GRID", L"IDC_DISPLAY_TEMPORARY", false, 0, 0, 4, 0, 0, 8, 4},
      {L"IDC_MESH_GRID", L"IDC_DISPLAY_LINES", true, 4, 0, 0, 2, 1, 8, 4},
      {L"IDC_MESH_GRID", L"IDC_DISPLAY_FACES", true, 0, 1, 0, 2, 0, 4, 1},  // one face: no group
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(uv::toUtf8(std::wstring(c.mesh) + L" " + c.display + (c.group ? L" grouped" : L"")));
    freshDrawing();
    lattice(L"Teren");
    const std::wstring mesh = std::wstring(L"click ") + c.mesh, display = std::wstring(L"click ") + c.display;
    surfacesUser.appendLines({mesh.c_str(), display.c_str()});
    if (c.group) surfacesUser.appendLines({L"check IDC_GROUP on"});
    surfacesUser.appendLines({L"click IDOK"});
    dlg_PrikazPlohe dlg;
    EXPECT_EQ(run(dlg), IDOK);
    EXPECT_EQ(all<AcDbLine>().size(), c.lines);
    EXPECT_EQ(all<AcDbFace>().size(), c.faces);
    EXPECT_EQ(doc->temporaryGraphics().vectors().size(), c.vectors);
    for (const auto& v : doc->temporaryGraphics().vectors()) EXPECT_EQ(v.colour, 2);
    if (c.layerType) {
      const CString layer = manager()->GetSurfaceDescription(L"Teren")->GetLayerManager()->GetLayer(c.layerType)->m_strName;
      for (AcDbEntity* e : all<AcDbEntity>()) EXPECT_EQ(layerOf(e), layer);
    }
    EXPECT_EQ(groupCount(), c.groups);
    const uv::ProgressMeter& meter = uv::ProgressMeter::instance();
    EXPECT_FALSE(meter.active());
    EXPECT_EQ(meter.label(), CModuleConfiguration::GetMsg(4999).str());
    EXPECT_EQ(meter.maxPos(), c.progressTotal);
    std::vector<int> visits(c.visited);
    std::iota(visits.begin(), visits.end(), 1);
    EXPECT_EQ(meter.history(), visits);
  }
}

TEST_F(ShowDialogTest, BoundaryRingsAreGroupedWhenThereAreTwo) {
  // Two clusters joined only by long thin triangles, which a limit on the
  // side length peels away: two rings.
  CKVLXsurface_Vantor2* s = manager()->CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr, false);
  CUniquePointSet points;
  for (double x0 : {0.0, 100.0})
    for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}, {5.0, 5.0}})
      points.AddPoint(AcGePoint3d(x0 + x, y, 50));
  s->SetPoints(points);
  uv::engine::SurfaceFileContent content = s->FileContent();
  content.definition.settings.maxEdgeLength = 30;
  ASSERT_TRUE(s->LoadContent(content));
  ASSERT_EQ(s->GetBoundaryCount(), 2);

  script({L"check IDC_BOUNDARY on", L"click IDC_DISPLAY_LINES", L"click IDOK"});
  dlg_PrikazPlohe dlg;
  EXPECT_EQ(run(dlg), IDOK);
  const auto rings = all<AcDbPolyline>();
  ASSERT_EQ(rings.size(), 2u);
  EXPECT_EQ(groupCount(), 1);  // the rings, though the drawn lines were not to be grouped
  const CString layer = manager()->GetSurfaceDescription(L"Teren")->GetLayerManager()->GetLayer(3)->m_strName;
  for (AcDbPolyline* ring : rings) {
    EXPECT_EQ(layerOf(ring), layer);
    EXPECT_EQ(ring->numVerts(), 5u);
  }
}

}  // namespace
}  // namespace uvtest
