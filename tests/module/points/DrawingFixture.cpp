#include "DrawingFixture.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "base/TextCase.h"
#include "db/AcDbArc.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbCurve.h"
#include "db/AcDbFace.h"
#include "db/AcDbPoint.h"
#include "db/AcDbText.h"
#include "db/dxf/DxfFile.h"
#include "ed/ModelSpace.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/Resources.h"

namespace uvtest {

namespace {

// A point of the entity that tells it from the others of its type: the
// centre of arcs and circles, the position of points, texts and
// references, the first corner of faces, the start of other curves.
bool keyPoint(AcDbEntity* e, AcGePoint3d& p) {
  if (auto* arc = AcDbArc::cast(e)) p = arc->center();
  else if (auto* circle = AcDbCircle::cast(e)) p = circle->center();
  else if (auto* point = AcDbPoint::cast(e)) p = point->position();
  else if (auto* text = AcDbText::cast(e)) p = text->position();
  else if (auto* ref = AcDbBlockReference::cast(e)) p = ref->position();
  else if (auto* face = AcDbFace::cast(e)) return face->getVertexAt(0, p) == Acad::eOk;
  else if (auto* curve = AcDbCurve::cast(e)) return curve->getStartPoint(p) == Acad::eOk;
  else return false;
  return true;
}

// Registered once per program, whichever test comes first.
void registerModuleResources() {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(0x7E570000);
  uv::Resources& resources = uv::Resources::instance();
  if (!resources.dialog(200)) {
    const char* folder = std::getenv("UIVANTOR2_RESOURCES");
    const std::string root = folder && *folder ? folder : UV_SOURCE_DIR "/module/resources";
    resources.addFolder(uv::fromUtf8(root + "/dialogs"), instance);
  }
  resources.setMessageResolver([](UINT id) { return CModuleConfiguration::GetMsg(id).str(); });
  AfxSetResourceHandle(instance);
}

}  // namespace

std::wstring pointsDrawingFile(const char* name) {
  return uv::fromUtf8(std::string(UV_SOURCE_DIR) + "/tests/e2e/drawings/points_drawing/" + name);
}

void DrawingFixture::SetUp() {
  registerModuleResources();
  m_scope = std::make_unique<uv::UserScope>(user);
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder = std::filesystem::temp_directory_path() /
           ("uv_points_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  openDrawingAt(drawingFile());
}

CString DrawingFixture::writeFile(const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = folder / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return CString(uv::fromUtf8(path.string()));
}

std::wstring DrawingFixture::drawingFile() const { return pointsDrawingFile("points_drawing.dxf"); }

void DrawingFixture::TearDown() {
  if (doc) {
    CKVLSurfaceManager::Release(db);
    EXPECT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
  }
  m_scope.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

void DrawingFixture::openDrawing(const char* file) { openDrawingAt(*file ? pointsDrawingFile(file) : L""); }

void DrawingFixture::openDrawingAt(const std::wstring& path) {
  if (doc) {
    CKVLSurfaceManager::Release(db);
    ASSERT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
    doc = nullptr;
  }
  auto drawing = std::make_unique<AcDbDatabase>();
  if (!path.empty()) {
    uv::dxf::Result loaded = uv::dxf::load(path, *drawing);
    ASSERT_TRUE(loaded.ok) << uv::toUtf8(loaded.error);
  }
  doc = acDocManager->addDocument(std::move(drawing), path);
  db = doc->database();
}

std::vector<AcDbObjectId> DrawingFixture::entities() const { return uv::ModelSpace::entities(db); }

AcDbObjectId DrawingFixture::entityAt(const wchar_t* type, double x, double y) const {
  for (AcDbObjectId id : entities()) {
    CKVLCEntityPtr e(id);
    AcGePoint3d p;
    if (e.isOpen() && uv::ModelSpace::facts(*e).dxfName == type && keyPoint(e, p) && std::abs(p.x - x) < 1e-9 &&
        std::abs(p.y - y) < 1e-9)
      return id;
  }
  ADD_FAILURE() << "no " << uv::toUtf8(type) << " at " << x << "," << y;
  return AcDbObjectId();
}

std::vector<std::string> surfacePoints(CKVLSurfaceManager* manager, const wchar_t* name) {
  std::vector<AcGePoint3d> points;
  CKVLXsurface_Vantor2* surface = manager ? manager->OpenSurface(name) : nullptr;
  for (long i = 0; surface && i < surface->PointCount(); ++i) {
    AcGePoint3d p;
    if (surface->GetPointAtIndex(i, p) == 1) points.push_back(p);
  }
  std::sort(points.begin(), points.end(), [](const AcGePoint3d& a, const AcGePoint3d& b) {
    return a.x != b.x ? a.x < b.x : a.y < b.y;
  });
  return pointTexts(points);
}

}  // namespace uvtest
