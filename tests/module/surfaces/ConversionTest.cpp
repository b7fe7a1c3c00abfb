// Conversion of old-format surfaces into engine surfaces: names, points,
// layer settings and description, and the old records when the dialog's list
// is stale. The rewriting of the old list and Close/Cancel are run by the
// surfaces_convert jobs.
#include <gtest/gtest.h>

#include "SurfacesFixture.h"
#include "db/ResbufChain.h"
#include "module/surfaces/dlg_Konverzija.h"
#include "product/cadwrapper/CKVLCDictionaryPtr.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/giscore/CModuleConfiguration.h"
#include "samples/tools/OldSurfaceWriter.h"

namespace uvtest {
namespace {

using uv::samples::OldLayer;
using uv::samples::OldSurface;

class ConversionTest : public SurfacesFixture {
 protected:
  static OldSurface old(const wchar_t* name) {
    OldSurface s;
    s.name = name;
    s.points = samplePoints(300);
    s.points.push_back(s.points[1]);  // a duplicate, which the point set drops
    return s;
  }

  void writeOld(std::vector<OldSurface> surfaces, const wchar_t* active) {
    ASSERT_TRUE(uv::samples::writeOldSurfaces(surfaces, active));
  }

  // The old names as "PLOHE" holds them now; nullopt when it is gone.
  std::optional<std::vector<std::wstring>> oldNames() {
    CKVLCDictionaryPtr d;
    uv::ResbufChain chain;
    if (!d.dctRead(L"KVX_SURFACE", L"PLOHE", chain.out())) return std::nullopt;
    std::vector<std::wstring> names;
    for (const resbuf* r = chain.get(); r; r = r->rbnext) {
      EXPECT_EQ(r->restype, RTSTR);
      names.push_back(r->resval.rstring);
    }
    return names;
  }

  std::wstring readText(const wchar_t* dictionary, const wchar_t* key) {
    CString value;
    return CKVLCDictionaryPtr().dctRead(dictionary, key, value) ? value.str() : L"<missing>";
  }

  void convert(std::initializer_list<const wchar_t*> lines) {
    script(lines);
    dlg_Konverzija dlg;
    dlg.DoModal();
  }
};

// Free names, points, descriptions and the old layers of triangles, grid
// and projection, with erasing on and off: the surfaces_convert and
// surfaces_round_trip jobs. The boundary takes nothing from the old record
// (its default carries the surface's name).
TEST_F(ConversionTest, TheBoundaryKeepsTheEnginesDefault) {
  OldSurface teren = old(L"Teren");
  teren.triangles = OldLayer{3, L"MNT_LAYER", L"DASHED"};
  teren.projection = OldLayer{6, L"PROJ_LAYER", L"HIDDEN"};
  writeOld({teren}, L"Teren");
  makeSurface(L"Vantor1_Teren");
  const CKVLSurfaceManager::CKVLLayer boundary =
      *manager()->GetSurfaceDescription(L"Vantor1_Teren")->GetLayerManager()->GetLayer(3);
  convert({L"click IDC_CONVERT", L"click IDCLOSE"});
  auto* desc = manager()->GetSurfaceDescription(L"Vantor1_Teren_1");
  ASSERT_NE(desc, nullptr);
  const auto* layer = desc->GetLayerManager()->GetLayer(3);
  EXPECT_EQ(layer->m_nColor, boundary.m_nColor);
  EXPECT_EQ(layer->m_strLinetype, boundary.m_strLinetype);
  EXPECT_EQ(layer->m_strName, CString(L"Vantor1_Teren_1_BOUNDARY"));
}

TEST_F(ConversionTest, ConvertingTwiceMakesASecondSurfaceWithoutThePointsErasedBefore) {
  writeOld({old(L"A"), old(L"B")}, L"A");
  convert({L"click IDC_CONVERT", L"click IDC_CONVERT", L"click IDCLOSE"});
  EXPECT_EQ(manager()->OpenSurface(L"Vantor1_A")->PointCount(), 5);
  ASSERT_NE(manager()->OpenSurface(L"Vantor1_A_1"), nullptr);
  EXPECT_EQ(manager()->OpenSurface(L"Vantor1_A_1")->PointCount(), 0);
  EXPECT_EQ(oldNames(), std::vector<std::wstring>{L"B"});
  EXPECT_EQ(readText(L"KVX_SURFACE", L"AKTIVNA"), L"B");
}

TEST_F(ConversionTest, AStaleListCanEmptyTheNamesAndThenNoOldSurfaceIsActive) {
  writeOld({old(L"A"), old(L"B")}, L"B");
  convert({L"click IDC_CONVERT", L"choose IDC_OLD_SURFACES \"B\"", L"click IDC_CONVERT", L"click IDCLOSE"});
  EXPECT_EQ(oldNames(), std::vector<std::wstring>{});
  EXPECT_EQ(readText(L"KVX_SURFACE", L"AKTIVNA"), L"");
  EXPECT_NE(manager()->GetSurfaceDescription(L"Vantor1_B"), nullptr);
}

}  // namespace
}  // namespace uvtest
