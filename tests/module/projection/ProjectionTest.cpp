// The projection: the bulge of a draped arc, the paths taken from
// polylines, and the dialog run by a scripted user over the projection
// jobs' drawing with its survey as the surface "Teren": the marker block
// loaded once per dialog. Drapes, markers, faces, samples, a cancelled
// selection and the dialog stepping aside are run end to end by the
// projection jobs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "DrawingFixture.h"
#include "base/TextCase.h"
#include "db/AcDb2dPolyline.h"
#include "db/AcDbBlockTableRecord.h"
#include "ed/ModelSpace.h"
#include "module/projection/DrapePath.h"
#include "module/projection/dlg_Projekcija.h"
#include "product/cadwrapper/CKVLC2dPolylinePtr.h"
#include "product/cadwrapper/CKVLCBlockReferencePtr.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "ui/DialogRunner.h"
#include "user/DialogAction.h"

namespace uvtest {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(ArcBulge, IsTanOfAQuarterOfTheCounterClockwiseSweep) {
  struct Case {
    double fromDegrees, toDegrees, bulge;
  } cases[] = {
      {0, 90, std::tan(kPi / 8)},           // a quarter: 0.4142
      {270, 90, 1.0},                       // across zero, a half circle
      {90, 0, std::tan(3 * kPi / 8)},       // three quarters the long way round
      {10, 190, 1.0},                       // a half circle without crossing zero
      {350, 10, std::tan(kPi / 36)},        // 20 degrees across zero
      {45, 45.0001, std::tan(0.0001 * kPi / 720)},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(uv::projection::ArcBulge(c.fromDegrees * kPi / 180, c.toDegrees * kPi / 180), c.bulge, 1e-12)
        << c.fromDegrees << " to " << c.toDegrees;
}

std::string projectionFile(const char* name) {
  return std::string(UV_SOURCE_DIR) + "/tests/e2e/drawings/projection/" + name;
}

// The projection jobs' drawing with their survey as the surface "Teren".
class ProjectionTest : public DrawingFixture {
 protected:
  std::wstring drawingFile() const override { return uv::fromUtf8(projectionFile("projection.dxf")); }

  void SetUp() override {
    DrawingFixture::SetUp();
    CKVLSurfaceManager* manager = CKVLSurfaceManager::Instance(0);
    CKVLXsurface_Vantor2* surface = manager->CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr, false);
    ASSERT_NE(surface, nullptr);
    std::ifstream survey(projectionFile("survey.xyz"));
    CUniquePointSet points;
    double x, y, z;
    while (survey >> x >> y >> z) points.AddPoint(AcGePoint3d(x, y, z));
    ASSERT_EQ(points.Size(), 400);
    surface->AddPoints(points);
    unsetenv("KVLX_SYMBOL_DIR");
  }

  void TearDown() override {
    unsetenv("KVLX_SYMBOL_DIR");
    DrawingFixture::TearDown();
  }

  // The elevation markers of the drawing.
  int markerCount() const {
    int n = 0;
    for (AcDbObjectId id : uv::ModelSpace::entities(db)) {
      CKVLCBlockReferencePtr ref(id);
      CString name;
      if (ref.isOpen() && ref.getBlockName(name) == Acad::eOk && name == L"KVX_ELEV") ++n;
    }
    return n;
  }

  // Selects the circle at (25,60) through the apply button.
  void markTheCircle(dlg_Projekcija& dialog) {
    user.appendLines({L"select window 20,55 30,65"});
    dialog.ProjectSelection();
    EXPECT_TRUE(user.empty());
  }
};

// While the marker drawing cannot be found every apply looks for it again;
// once loaded, the dialog keeps marking with that block and does not look
// again, also when the drawing has gone meanwhile.
TEST_F(ProjectionTest, TheMarkerBlockIsSearchedUntilLoadedThenKept) {
  dlg_Projekcija dialog;
  dialog.m_strSurfaceName = L"Teren";
  uv::DialogRunner runner(dialog);
  runner.initialise();
  ASSERT_FALSE(runner.isEnded());

  setenv("KVLX_SYMBOL_DIR", "/no/such/folder", 1);
  markTheCircle(dialog);
  EXPECT_EQ(markerCount(), 0);
  EXPECT_TRUE(dialog.ElevationMarkerBlock().isNull());

  unsetenv("KVLX_SYMBOL_DIR");
  markTheCircle(dialog);
  EXPECT_EQ(markerCount(), 1);
  const AcDbObjectId block = dialog.ElevationMarkerBlock();
  ASSERT_FALSE(block.isNull());

  setenv("KVLX_SYMBOL_DIR", "/no/such/folder", 1);
  markTheCircle(dialog);
  EXPECT_EQ(markerCount(), 2);
  EXPECT_EQ(dialog.ElevationMarkerBlock(), block);
  dialog.EndDialog(IDCLOSE);
}

TEST_F(ProjectionTest, A2dPolylineGivesEveryVertexThatOpensWithItsBulge) {
  AcGePoint3dArray vertices;
  vertices.append(AcGePoint3d(1, 1, 0));
  vertices.append(AcGePoint3d(5, 1, 0));
  vertices.append(AcGePoint3d(9, 3, 0));
  vertices.append(AcGePoint3d(9, 8, 0));
  AcGeDoubleArray bulges{0.0, 0.5, -0.25, 0.0};
  auto polyline = std::make_unique<AcDb2dPolyline>(AcDb::k2dSimplePoly, vertices, 6.5, false, 0, 0, &bulges);
  AcDbObjectId id;
  {
    CKVLCObjectPtr<AcDbBlockTableRecord> space(db->modelSpaceId(), AcDb::kForWrite);
    ASSERT_EQ(space->appendAcDbEntity(id, polyline.get()), Acad::eOk);
    polyline.release()->close();
  }
  // The third vertex is held open for write elsewhere: it does not open.
  CKVLC2dPolylinePtr pline(id);
  std::unique_ptr<AcDbObjectIterator> it(pline->vertexIterator());
  it->start();
  it->step();
  it->step();
  CKVLCObjectPtr<AcDb2dVertex> held(it->objectId(), AcDb::kForWrite);
  ASSERT_TRUE(held.isOpen());

  AcGePoint3dArray points;
  AcGeDoubleArray got;
  ASSERT_EQ(uv::projection::Polyline2dPath(*pline.object(), points, got), 3);
  const AcGePoint3d want[] = {{1, 1, 6.5}, {5, 1, 6.5}, {9, 8, 6.5}};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(points[i], want[i]) << i;
  EXPECT_EQ(got, (AcGeDoubleArray{0.0, 0.5, 0.0}));
}

}  // namespace
}  // namespace uvtest
