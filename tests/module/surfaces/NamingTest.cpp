// The naming rules the surface dialogs share, and where surface files are
// offered.
#include <gtest/gtest.h>

#include <set>

#include "SurfacesFixture.h"
#include "base/TextCase.h"
#include "module/components/SurfaceFiles.h"
#include "module/surfaces/SurfaceNaming.h"

namespace uvtest {
namespace {

using uv::surfaces::UniqueName;

TEST(SurfaceNaming, NamesWithAndWithoutRefusedCharacters) {
  struct Case {
    const wchar_t* name;
    bool invalid;
  } cases[] = {{L"Teren", false},     {L"Teren.2014", false}, {L"Površina_č", false}, {L"Te ren", true},
               {L"A#1", true},        {L"x\u00B4", true},     {L"a/b", true},         {L"", false},
               {L"a,b", true},        {L"it's", true},        {L"x\u00B8", true},    {L"a=b", true},
               {L"1.5-2", true},      {L"50%", true},         {L"K\u00F6ln_2", false}, {L"\u0417\u0435\u043C", false}};
  for (const Case& c : cases)
    EXPECT_EQ(uv::surfaces::HasInvalidNameSymbol(c.name), c.invalid) << uv::toUtf8(c.name);
}

TEST(SurfaceNaming, UniqueNameAppendsTheFirstFreeNumberToTheFilesOwnName) {
  struct Case {
    std::set<CString> taken;
    const wchar_t* name;
    const wchar_t* expected;
  } cases[] = {
      {{}, L"A", L"A"},
      {{L"A_1"}, L"A", L"A"},
      {{L"A", L"A_1"}, L"A", L"A_2"},
      {{L"A", L"A_2"}, L"A", L"A_1"},
      // The number never goes to a candidate: A_1 taken gives A_1_1 only for the name A_1.
      {{L"A", L"A_1", L"A_1_1"}, L"A", L"A_2"},
      {{L"A_1", L"A_1_1"}, L"A_1", L"A_1_2"},
      // Letter case counts.
      {{L"a"}, L"A", L"A"},
  };
  for (const Case& c : cases) EXPECT_EQ(UniqueName(c.name, c.taken), CString(c.expected)) << uv::toUtf8(c.name);
}

using DefaultFileTest = SurfacesFixture;

TEST_F(DefaultFileTest, BesideTheDrawingWithTheGivenExtension) {
  EXPECT_EQ(uv::DefaultFileForDrawing(L"kvb"), CString(L"/drawings/site.kvb"));
  EXPECT_EQ(uv::FileFilter(L"kvb"), CString(L"*.kvb|*.kvb|*.*|*.*||"));
  struct Case {
    const wchar_t* drawing;
    const wchar_t* expected;
  } cases[] = {{L"/d/a.b.dxf", L"/d/a.b.kvb"}, {L"/d.x/plan", L"/d.x/plan.kvb"}, {L"", L""}};
  for (const Case& c : cases) {
    doc->setFileName(c.drawing);
    EXPECT_EQ(uv::DefaultFileForDrawing(L"kvb"), CString(c.expected)) << uv::toUtf8(c.drawing);
  }
}

}  // namespace
}  // namespace uvtest
