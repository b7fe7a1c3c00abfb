#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "base/TextCase.h"
#include "db/resbuf.h"
#include "ed/EdSelection.h"
#include "ed/SelectionSets.h"
#include "user/ScriptError.h"
#include "EditorFixture.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The drawing of the filter table: every entity kind on a few layers.
//
//   y=80..90   B2 (KVX_ELEV, attributed)   B3 (KVX_ELEV, no attribute)
//   y=70       B1 (DRVO)          TX text at 60,60     PT point at 50,50
//   y=40..45   F 3D face at 0..5       C circle at 20,40 colour 3
//   y=20..25   P2 2D polyline 0..10    P3 3D polyline 20..30
//   y=0..5     L1 line 0..10   A1 arc at 20,0   LW polyline 30..40
class SelectionTest : public uvtest::EditorFixture {
 protected:
  std::map<AcDbObjectId, std::string> names;

  void SetUp() override {
    EditorFixture::SetUp();
    for (const wchar_t* layer : {L"Teren", L"Ceste", L"Teren-3D", L"Oznake"}) addLayer(layer);
    names[add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)), L"Teren")] = "L1";
    names[add(new AcDbArc(AcGePoint3d(20, 0, 0), 2.0, 0.0, kPi), L"Teren")] = "A1";
    auto* lw = new AcDbPolyline();
    lw->addVertexAt(0, AcGePoint2d(30, 0));
    lw->addVertexAt(1, AcGePoint2d(35, 5));
    lw->addVertexAt(2, AcGePoint2d(40, 0));
    names[add(lw, L"Ceste")] = "LW";
    AcGePoint3dArray v2{AcGePoint3d(0, 20, 0), AcGePoint3d(5, 25, 0), AcGePoint3d(10, 20, 0)};
    names[add(new AcDb2dPolyline(AcDb::k2dSimplePoly, v2), L"Ceste")] = "P2";
    AcGePoint3dArray v3{AcGePoint3d(20, 20, 1), AcGePoint3d(25, 25, 2), AcGePoint3d(30, 20, 3)};
    names[add(new AcDb3dPolyline(AcDb::k3dSimplePoly, v3), L"Teren-3D")] = "P3";
    names[add(new AcDbPoint(AcGePoint3d(50, 50, 0)))] = "PT";
    names[add(new AcDbText(AcGePoint3d(60, 60, 0), L"abc", AcDbObjectId(), 2.0), L"Oznake")] = "TX";
    AcDbObjectId drvo = addBlock(L"DRVO");
    AcDbObjectId marker = addBlock(L"KVX_ELEV", L"ELEV");
    names[insert(drvo, AcGePoint3d(70, 70, 0))] = "B1";
    names[insert(marker, AcGePoint3d(80, 80, 0), L"ELEV", L"Oznake")] = "B2";
    names[insert(marker, AcGePoint3d(90, 90, 0))] = "B3";
    names[add(new AcDbFace(AcGePoint3d(0, 40, 0), AcGePoint3d(5, 40, 0), AcGePoint3d(5, 45, 0), AcGePoint3d(0, 45, 0)),
              L"Teren")] = "F";
    auto* circle = new AcDbCircle(AcGePoint3d(20, 40, 0), AcGeVector3d(0, 0, 1), 3.0);
    circle->setColorIndex(3);
    names[add(circle)] = "C";
  }

  // The names of a set, in set order; frees it.
  std::string namesOf(ads_name ss) {
    Adesk::Int32 n = 0;
    EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
    std::string out;
    for (Adesk::Int32 i = 0; i < n; ++i) {
      ads_name ent;
      EXPECT_EQ(acedSSName(ss, i, ent), RTNORM);
      AcDbObjectId id;
      EXPECT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
      out += (out.empty() ? "" : " ") + names[id];
    }
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    return out;
  }

  // What acedSSGet("X") with the filter selects: names, "(none)" or "(error)".
  std::string selectX(resbuf* filter) {
    ads_name ss;
    int rc = acedSSGet(L"X", nullptr, nullptr, filter, ss);
    acutRelRb(filter);
    if (rc == RTERROR) return "(none)";
    return rc == RTNORM ? namesOf(ss) : "(rc " + std::to_string(rc) + ")";
  }

  std::string handleOf(const std::string& name) {
    for (const auto& [id, n] : names)
      if (n == name) {
        ACHAR buf[32];
        id.handle().getIntoAsciiBuffer(buf, 32);
        return uv::toUtf8(buf);
      }
    return "";
  }
};

TEST_F(SelectionTest, FilterTableOverTheDrawing) {
  struct Case {
    const char* what;
    resbuf* filter;
    const char* expected;
  } cases[] = {
      {"no filter", nullptr, "L1 A1 LW P2 P3 PT TX B1 B2 B3 F C"},
      {"0: type", acutBuildList(RTDXF0, L"LINE", 0), "L1"},
      {"0: 2D and 3D polylines", acutBuildList(RTDXF0, L"POLYLINE", 0), "P2 P3"},
      {"0: list and wildcard", acutBuildList(RTDXF0, L"*POLYLINE,3DFACE", 0), "LW P2 P3 F"},
      {"2: block name", acutBuildList(2, L"KVX_ELEV", 0), "B2 B3"},
      {"8: layer ignores case", acutBuildList(8, L"TEREN", 0), "L1 A1 F"},
      {"8: wildcard", acutBuildList(8, L"Teren*", 0), "L1 A1 P3 F"},
      {"62: colour", acutBuildList(62, 3, 0), "C"},
      {"66: attributes follow", acutBuildList(RTDXF0, L"INSERT", 66, 1, 0), "B2"},
      {"66: no attributes, also for a block that defines some", acutBuildList(RTDXF0, L"INSERT", 66, 0, 0), "B1 B3"},
      {"<NOT", acutBuildList(-4, L"<NOT", 8, L"0", -4, L"NOT>", 0), "L1 A1 LW P2 P3 TX B2 F"},
      {"<XOR", acutBuildList(-4, L"<XOR", 8, L"Oznake", RTDXF0, L"INSERT", -4, L"XOR>", 0), "TX B1 B3"},
      {"the type filter of the dialogs, with its layer clause",
       acutBuildList(-4, L"<OR", RTDXF0, L"POINT", RTDXF0, L"POLYLINE", -4, L"<AND", RTDXF0, L"INSERT", 2,
                     L"KVX_ELEV", -4, L"AND>", -4, L"<AND", RTDXF0, L"INSERT", 66, 0, -4, L"AND>", -4, L"OR>", -4,
                     L"<OR", 8, L"0", 8, L"Ceste", -4, L"OR>", 0),
       "P2 PT B1 B3"},
      {"no type checked", acutBuildList(-4, L"<OR", -4, L"OR>", 0), "(none)"},
      {"malformed", acutBuildList(-4, L"<OR", RTDXF0, L"LINE", 0), "(none)"},
  };
  for (auto& c : cases) EXPECT_EQ(selectX(c.filter), c.expected) << c.what;
  EXPECT_NE(transcript().find(L"Invalid selection filter: <OR is not closed"), std::wstring::npos);
  EXPECT_EQ(uv::SelectionSets::instance().openCount(), 0);
}

TEST_F(SelectionTest, TheUsersAnswerIsResolvedAgainstTheDrawing) {
  std::wstring handles = uv::fromUtf8("select handles " + handleOf("PT") + " " + handleOf("L1"));
  user.appendLines({L"select window -1,-1 11,1", L"select crossing 5,-1 6,1", L"select crossing 34,4 36,6",
                    L"select window -1,-1 41,6", L"select last", L"select previous", L"select all", handles.c_str(),
                    L"select window 100,100 200,200", L"enter", L"cancel"});
  struct Expected {
    const char* what;
    int rc;
    const char* names;
  } expected[] = {
      {"window around the line", RTNORM, "L1"},
      {"crossing through the line", RTNORM, "L1"},
      {"crossing the polyline's corner", RTNORM, "LW"},
      {"window around the bottom row", RTNORM, "L1 A1 LW"},
      {"last", RTNORM, "C"},
      {"previous: the last selection", RTNORM, "C"},
      {"all, filtered", RTNORM, "L1 A1 F"},
      {"handles, filtered", RTNORM, "L1"},
      {"an empty window", RTERROR, ""},
      {"enter", RTERROR, ""},
      {"cancel", RTCAN, ""},
  };
  for (const auto& e : expected) {
    ads_name ss;
    resbuf* filter = std::string(e.what).find("filtered") != std::string::npos ? acutBuildList(8, L"Teren", 0) : nullptr;
    int rc = acedSSGet(nullptr, nullptr, nullptr, filter, ss);
    acutRelRb(filter);
    EXPECT_EQ(rc, e.rc) << e.what;
    if (rc == RTNORM) {
      EXPECT_EQ(namesOf(ss), e.names) << e.what;
    }
  }
  EXPECT_NE(transcript().find(L"Select objects: window -1,-1 11,1\n1 found\n"), std::wstring::npos)
      << uv::toUtf8(transcript());
  EXPECT_EQ(uv::SelectionSets::instance().openCount(), 0);
}

TEST_F(SelectionTest, ModesWithPointsAndBadNames) {
  ads_point lo = {-1, 19, 0}, hi = {31, 26, 0};
  ads_name ss;
  ASSERT_EQ(acedSSGet(L"_W", lo, hi, nullptr, ss), RTNORM);
  EXPECT_EQ(namesOf(ss), "P2 P3");
  ads_point c1 = {4, 24, 0}, c2 = {6, 26, 0};
  ASSERT_EQ(acedSSGet(L"C", c1, c2, nullptr, ss), RTNORM);
  EXPECT_EQ(namesOf(ss), "P2");
  ASSERT_EQ(acedSSGet(L"_L", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(namesOf(ss), "C");
  EXPECT_EQ(acedSSGet(L"W", lo, nullptr, nullptr, ss), RTERROR);  // a window needs two corners
  EXPECT_EQ(acedSSGet(L"I", nullptr, nullptr, nullptr, ss), RTERROR);
  EXPECT_EQ(acedSSGet(L"Q", nullptr, nullptr, nullptr, ss), RTERROR);

  ads_name bogus = {12345, uv::SelectionSets::kTag};
  Adesk::Int32 n = -1;
  EXPECT_EQ(acedSSLength(bogus, &n), RTERROR);
  EXPECT_EQ(acedSSFree(bogus), RTERROR);
  ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, ss), RTNORM);
  ads_name ent;
  EXPECT_EQ(acedSSName(ss, 12, ent), RTERROR);
  EXPECT_EQ(acedSSName(ss, -1, ent), RTERROR);
  {
    uv::SelectionSetScope scope;
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, scope.name()), RTNORM);
    EXPECT_EQ(uv::SelectionSets::instance().openCount(), 2);
  }
  EXPECT_EQ(uv::SelectionSets::instance().openCount(), 1);  // the scope freed its set
  EXPECT_EQ(acedSSFree(ss), RTNORM);
  EXPECT_EQ(acedSSFree(ss), RTERROR);  // not twice
}

TEST_F(SelectionTest, AHandleTheDrawingLacksIsTheScriptsMistake) {
  user = uv::ScriptedUser::fromText(L"select handles FFFF\n", L"job.txt");
  ads_name ss;
  try {
    acedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
    FAIL() << "no error";
  } catch (const uv::ScriptError& e) {
    EXPECT_EQ(e.fullMessage(), L"job.txt:1: the drawing has no entity with the handle FFFF");
  }
}

}  // namespace
