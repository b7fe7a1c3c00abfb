#include "SurfacesFixture.h"

#include <fstream>
#include <random>

#include "base/TextCase.h"
#include "product/engine/CKVLXsurface_Vantor2.h"

namespace uvtest {

void SurfacesFixture::SetUp() {
  ModuleFixture::SetUp();
  m_scope = std::make_unique<uv::UserScope>(surfacesUser);
  folder = std::filesystem::temp_directory_path() /
           ("uv-surfaces-" + std::to_string(std::random_device{}()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories(folder);
}

void SurfacesFixture::TearDown() {
  EXPECT_TRUE(surfacesUser.empty()) << surfacesUser.pending() << " script lines were not used";
  m_scope.reset();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  ModuleFixture::TearDown();
}

namespace {
std::vector<AcGePoint3d> samplePoints(double z0) {
  return {{0, 0, z0}, {10, 0, z0 + 1}, {10, 10, z0 + 2}, {0, 10, z0 + 1.5}, {5, 4, z0 + 0.5}};
}
}  // namespace

CKVLXsurface_Vantor2* SurfacesFixture::makeSurface(const wchar_t* name) {
  CKVLXsurface_Vantor2* s = manager()->CreateSurface(name, CKVLSurfaceManager::kDrawingStorage, nullptr, false);
  EXPECT_NE(s, nullptr) << uv::toUtf8(name);
  if (!s) return nullptr;
  CUniquePointSet points;
  for (const AcGePoint3d& p : samplePoints(100)) points.AddPoint(p);
  s->SetPoints(points);
  return s;
}

std::wstring SurfacesFixture::writeSurfaceFile(const std::string& file, const wchar_t* name,
                                               const wchar_t* description) {
  CKVLXsurface_Vantor2 s(nullptr);
  s.SetName(name);
  s.SetDescription(description);
  CUniquePointSet points;
  for (const AcGePoint3d& p : samplePoints(200)) points.AddPoint(p);
  s.SetPoints(points);
  std::ofstream out(folder / file, std::ios::out | std::ios::binary);
  EXPECT_EQ(s.ExportToBin(*out.rdbuf()), 1);
  return (folder / file).wstring();
}

void SurfacesFixture::reread() { CKVLSurfaceManager::Release(doc->database()); }

void SurfacesFixture::makeUnavailable(const wchar_t* name) {
  const std::wstring file = writeSurfaceFile("gone.kvb", name, L"");
  ASSERT_NE(manager()->CreateSurface(name, CKVLSurfaceManager::kFileStorage, file.c_str(), true), nullptr);
  ASSERT_TRUE(manager()->Save()) << manager()->LastError();
  std::filesystem::remove(file);
  reread();
}

}  // namespace uvtest
