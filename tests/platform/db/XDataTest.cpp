// Extended data: registration, replacement per application, validation.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/TextCase.h"
#include "db/AcDbFace.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbRegAppTable.h"
#include "db/ResbufChain.h"
#include "db/XData.h"
#include "TestDrawing.h"

namespace {

class XData : public ::testing::Test {
 protected:
  void SetUp() override {
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    acdbRegApp(L"KV2_SurfaceName");
    acdbRegApp(L"KV2_EndgeId");
    lineId = uvtest::addToModelSpace(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
  }
  void TearDown() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

  // The entity's whole extended data as "code:value" words.
  std::wstring dump() {
    AcDbObjectPointer<AcDbLine> line(lineId);
    uv::ResbufChain all(line->xData());
    std::wstring s;
    for (const resbuf* rb = all.get(); rb; rb = rb->rbnext) {
      s += std::to_wstring(rb->restype) + L":";
      if (uv::resvalKind(rb->restype) == uv::ResvalKind::kString) s += rb->resval.rstring;
      else s += std::to_wstring(rb->resval.rint);
      s += L" ";
    }
    return s;
  }

  Acad::ErrorStatus set(resbuf* chain) {
    uv::ResbufChain owned(chain);
    AcDbObjectPointer<AcDbLine> line(lineId, AcDb::kForWrite);
    return line->setXData(owned);
  }

  AcDbDatabase db;
  AcDbObjectId lineId;
};

TEST_F(XData, TaggingReplacesOneApplicationAndKeepsTheOthers) {
  ASSERT_EQ(set(acutBuildList(1001, L"KV2_SurfaceName", 1000, L"Teren", 1001, L"KV2_EndgeId", 1070, 40000, 0)), Acad::eOk);
  EXPECT_EQ(dump(), L"1001:KV2_SurfaceName 1000:Teren 1001:KV2_EndgeId 1070:-25536 ");
  ASSERT_EQ(set(acutBuildList(1001, L"kv2_surfacename", 1000, L"Novo", 0)), Acad::eOk);
  EXPECT_EQ(dump(), L"1001:KV2_SurfaceName 1000:Novo 1001:KV2_EndgeId 1070:-25536 ");

  AcDbObjectPointer<AcDbLine> line(lineId);
  uv::ResbufChain one(line->xData(L"KV2_EndgeId"));
  ASSERT_TRUE(one);
  EXPECT_EQ(one.length(), 2);
  EXPECT_EQ(line->xData(L"Unknown"), nullptr);
}

TEST_F(XData, AnApplicationWithoutItemsLosesItsData) {
  ASSERT_EQ(set(acutBuildList(1001, L"KV2_SurfaceName", 1000, L"Teren", 1001, L"KV2_EndgeId", 1070, 1, 0)), Acad::eOk);
  ASSERT_EQ(set(acutBuildList(1001, L"KV2_SurfaceName", 0)), Acad::eOk);
  EXPECT_EQ(dump(), L"1001:KV2_EndgeId 1070:1 ");
}

TEST_F(XData, RefusedChainsChangeNothing) {
  ASSERT_EQ(set(acutBuildList(1001, L"KV2_SurfaceName", 1000, L"Teren", 0)), Acad::eOk);
  struct Case {
    const char* why;
    resbuf* chain;
    Acad::ErrorStatus expected;
  };
  const Case cases[] = {
      {"unregistered application", acutBuildList(1001, L"KV2_TrinagleId", 1070, 3, 0), Acad::eKeyNotFound},
      {"registered one first, then an unregistered one",
       acutBuildList(1001, L"KV2_SurfaceName", 1000, L"X", 1001, L"Nope", 0), Acad::eKeyNotFound},
      {"not an extended-data code", acutBuildList(1001, L"KV2_SurfaceName", 40, 1.0, 0), Acad::eInvalidDxfCode},
      {"items before any application", acutBuildList(1000, L"Teren", 0), Acad::eInvalidInput},
      {"unbalanced braces", acutBuildList(1001, L"KV2_SurfaceName", 1002, L"{", 1000, L"a", 0), Acad::eInvalidInput},
      {"closing brace first", acutBuildList(1001, L"KV2_SurfaceName", 1002, L"}", 0), Acad::eInvalidInput},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(set(c.chain), c.expected) << c.why;
    EXPECT_EQ(dump(), L"1001:KV2_SurfaceName 1000:Teren ") << c.why;
  }
  EXPECT_SOUND(db);
}

TEST_F(XData, AllValueKindsAreKept) {
  ads_point p = {1, 2, 3};
  ASSERT_EQ(set(acutBuildList(1001, L"KV2_SurfaceName", 1002, L"{", 1000, L"s", 1003, L"0", 1005, L"1F", 1010, p,
                              1040, 2.5, 1070, 7, 1071, 70000, 1002, L"}", 0)),
            Acad::eOk);
  AcDbObjectPointer<AcDbLine> line(lineId);
  uv::ResItems items;
  uv::ResbufChain chain(line->xData(L"KV2_SurfaceName"));
  ASSERT_TRUE(uv::itemsFromChain(chain, items));
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[5].point, AcGePoint3d(1, 2, 3));
  EXPECT_EQ(items[6].real, 2.5);
  EXPECT_EQ(items[8].integer, 70000);
}

// Texts are kept a byte a character when every character is below 256 and
// a wchar_t each otherwise; both come back whole, next to other items.
TEST_F(XData, TextsOfEveryRangeOfCharactersComeBackWhole) {
  const std::wstring cases[] = {
      L"",                                // empty
      L"Teren",                           // ASCII
      std::wstring(1, wchar_t(0xFF)) + L"y",  // the last narrow character
      std::wstring(1, wchar_t(0x100)),    // the first wide one
      L"Ulica \u0160tefana \u017Eal",     // escapes stay text
      L"Po\u010Detak " + std::wstring(1, wchar_t(0x10D)) + L" kraj",  // wide among narrow
      std::wstring(1, wchar_t(0x1F600)),  // beyond the basic plane
      L"na" + std::wstring(1, wchar_t(0xE9)) + L"ve",  // Latin-1 only
  };
  for (const std::wstring& text : cases) {
    SCOPED_TRACE(uv::toUtf8(text));
    ASSERT_EQ(set(acutBuildList(1001, L"KV2_SurfaceName", 1000, text.c_str(), 1070, 12, 1000, L"after", 1001,
                                L"KV2_EndgeId", 1000, text.c_str(), 0)),
              Acad::eOk);
    EXPECT_EQ(dump(), L"1001:KV2_SurfaceName 1000:" + text + L" 1070:12 1000:after 1001:KV2_EndgeId 1000:" + text +
                          L" ");
    AcDbObjectPointer<AcDbLine> line(lineId);
    const std::vector<uv::XDataGroup> groups = line->xDataGroups();
    ASSERT_EQ(groups.size(), 2u);
    ASSERT_EQ(groups[1].items.size(), 1u);
    EXPECT_EQ(groups[1].items[0].text, text);
  }
}

TEST_F(XData, NewObjectsUseTheWorkingDatabaseAndWriteAccessIsNeeded) {
  AcDbFace face(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0));
  uv::ResbufChain tag(acutBuildList(1001, L"KV2_SurfaceName", 1000, L"Teren", 0));
  EXPECT_EQ(face.setXData(tag), Acad::eOk);
  AcDbObjectPointer<AcDbLine> line(lineId, AcDb::kForRead);
  EXPECT_EQ(line->setXData(tag), Acad::eNotOpenForWrite);
}

// One copy of each application name, whatever was asked in between: the
// names asked last are remembered, and must never answer for another name.
TEST(AppNames, EachNameHasOneCopyWhateverWasAskedBefore) {
  const wchar_t* asked[] = {L"APP_A", L"APP_B", L"APP_A", L"APP_C", L"APP_B", L"app_a", L"APP_A", L"APP_C", L"APP_"};
  std::map<std::wstring, const std::wstring*> first;
  for (const wchar_t* name : asked) {
    const std::wstring* copy = uv::internAppName(name);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(*copy, name);
    auto [at, fresh] = first.emplace(name, copy);
    EXPECT_EQ(at->second, copy) << uv::toUtf8(name);
  }
  EXPECT_EQ(first.size(), 5u);
}

}  // namespace
