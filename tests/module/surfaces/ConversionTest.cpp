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
#include "samples/tools/OldSurfaceWriter.h"

namespace uvtest {
namespace {

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

// (Free names, points, descriptions and the old layers, the boundary taking
// none of them, with erasing on and off: the surfaces_convert and
// surfaces_round_trip jobs.)
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
