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

  bool hasDictionary(const wchar_t* name) {
    CKVLCDictionaryPtr d;
    AcDbObjectId id;
    return d.isOpen() && d->getAt(name, id) == Acad::eOk;
  }

  void convert(std::initializer_list<const wchar_t*> lines) {
    script(lines);
    dlg_Konverzija dlg;
    dlg.DoModal();
  }
};

TEST_F(ConversionTest, ConvertsPointsLayersAndDescriptionUnderAFreeName) {
  OldSurface teren = old(L"Teren");
  teren.description = L"Old survey";
  teren.triangles = OldLayer{3, L"MNT_LAYER", L"DASHED"};
  teren.grid = OldLayer{4, L"GRID_LAYER", L"Continuous"};
  teren.projection = OldLayer{6, L"PROJ_LAYER", L"HIDDEN"};
  writeOld({teren}, L"Teren");
  makeSurface(L"Vantor1_Teren");
  makeSurface(L"Vantor1_Teren_1");
  auto* defaults = manager()->GetSurfaceDescription(L"Vantor1_Teren");
  const CKVLSurfaceManager::CKVLLayer boundary = *defaults->GetLayerManager()->GetLayer(3);

  convert({L"check IDC_ERASE_OLD off", L"click IDC_CONVERT", L"click IDCLOSE"});
  auto* desc = manager()->GetSurfaceDescription(L"Vantor1_Teren_2");
  ASSERT_NE(desc, nullptr);
  EXPECT_EQ(desc->m_strDescription, CString(L"Old survey"));
  EXPECT_EQ(manager()->OpenSurface(L"Vantor1_Teren_2")->PointCount(), 5);
  CKVLLayerManager* layers = desc->GetLayerManager();
  struct Expect {
    int type;
    int colour;
    const wchar_t* layer;
    const wchar_t* linetype;
  } expected[] = {{1, 3, L"MNT_LAYER", L"DASHED"},
                  {2, 4, L"GRID_LAYER", L"Continuous"},
                  {4, 6, L"PROJ_LAYER", L"HIDDEN"},
                  {5, 6, L"PROJ_LAYER", L"HIDDEN"}};
  for (const Expect& e : expected) {
    const auto* layer = layers->GetLayer(e.type);
    ASSERT_NE(layer, nullptr) << e.type;
    EXPECT_EQ(layer->m_nColor, e.colour) << e.type;
    EXPECT_EQ(layer->m_strName, CString(e.layer)) << e.type;
    EXPECT_EQ(layer->m_strLinetype, CString(e.linetype)) << e.type;
  }
  // The boundary takes nothing from the old record (its default carries the surface's name).
  EXPECT_EQ(layers->GetLayer(3)->m_nColor, boundary.m_nColor);
  EXPECT_EQ(layers->GetLayer(3)->m_strLinetype, boundary.m_strLinetype);
  // Erasing off: the old record stays.
  EXPECT_EQ(oldNames(), std::vector<std::wstring>{L"Teren"});
  EXPECT_TRUE(hasDictionary(L"KVX_SURFACE.Teren"));
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

TEST_F(ConversionTest, WithoutOldSurfacesConvertAsksForOne) {
  convert({L"click IDC_CONVERT", L"answer ok", L"click IDCLOSE"});
  EXPECT_EQ(surfacesUser.messages, std::vector<std::wstring>{CModuleConfiguration::GetMsg(5029).str()});
  CStringArray names;
  EXPECT_EQ(manager()->GetAllSurfaceNames(names), 0);
}

}  // namespace
}  // namespace uvtest
