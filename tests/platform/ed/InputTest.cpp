#include <gtest/gtest.h>

#include "base/TextCase.h"
#include "ed/EdInput.h"
#include "ed/SystemVariables.h"
#include "user/ScriptError.h"
#include "EditorFixture.h"

namespace {

class InputTest : public uvtest::EditorFixture {};

std::string u8(const std::wstring& s) { return uv::toUtf8(s); }

TEST_F(InputTest, PointsAndCornersWithTheirResults) {
  answer({L"point 10,20", L"point 1,2,3", L"enter", L"cancel", L"corner 5,6"});
  ads_point p;
  EXPECT_EQ(acedGetPoint(nullptr, L"\nFirst point: ", p), RTNORM);
  EXPECT_EQ(p[0], 10);
  EXPECT_EQ(p[1], 20);
  EXPECT_EQ(p[2], 0);
  ads_point base = {10, 20, 0};
  EXPECT_EQ(acedGetPoint(base, L"\nNext point: ", p), RTNORM);
  EXPECT_EQ(p[2], 3);
  EXPECT_EQ(acedGetPoint(base, L"\nNext point: ", p), RTNONE);
  EXPECT_EQ(p[2], 3);  // unchanged
  EXPECT_EQ(acedGetPoint(nullptr, L"\nNext point: ", p), RTCAN);
  EXPECT_EQ(acedGetCorner(base, L"\nOther corner: ", p), RTNORM);
  EXPECT_EQ(p[1], 6);
  EXPECT_EQ(acedGetCorner(nullptr, L"\nOther corner: ", p), RTERROR);  // no first corner
  EXPECT_EQ(transcript(),
            L"\nFirst point: 10,20\n\nNext point: 1,2,3\n\nNext point: \n\nNext point: *Cancel*\n\nOther corner: 5,6\n");
}

TEST_F(InputTest, StringsNumbersAndKeywords) {
  answer({L"string \"Teren A\"", L"enter", L"string \"0123456789\"", L"number 42", L"number -2.5", L"keyword da",
          L"number 0"});
  wchar_t buf[132];
  EXPECT_EQ(acedGetString(1, L"Name: ", buf), RTNORM);
  EXPECT_STREQ(buf, L"Teren A");
  EXPECT_EQ(acedGetString(0, L"Name: ", buf), RTNORM);  // Enter: an empty text
  EXPECT_STREQ(buf, L"");
  wchar_t small[6];
  // The scripted user refuses what does not fit, naming the line.
  EXPECT_THROW(acedGetString(0, L"Code: ", small, 6), uv::ScriptError);
  int i = 0;
  EXPECT_EQ(acedGetInt(L"Count: ", &i), RTNORM);
  EXPECT_EQ(i, 42);
  double d = 0;
  EXPECT_EQ(acedGetReal(L"Step: ", &d), RTNORM);
  EXPECT_EQ(d, -2.5);
  EXPECT_EQ(acedInitGet(0, L"Da Ne _Yes No"), RTNORM);
  EXPECT_EQ(acedGetKword(L"Go on? [Da/Ne]: ", buf), RTNORM);
  EXPECT_STREQ(buf, L"Yes");  // the global name of the local keyword
  acedInitGet(RSG_NOZERO, nullptr);
  EXPECT_THROW(acedGetReal(L"Step: ", &d), uv::ScriptError);
}

TEST_F(InputTest, EnterWhereTheProgramTakesNoneIsRefused) {
  user = uv::ScriptedUser::fromText(L"enter\nenter\n", L"job.txt");
  acedInitGet(RSG_NONULL, nullptr);
  ads_point p;
  try {
    acedGetPoint(nullptr, L"Centre: ", p);
    FAIL();
  } catch (const uv::ScriptError& e) {
    EXPECT_EQ(e.fullMessage(), L"job.txt:1: the program asked for a point (\"Centre:\") and does not take Enter there");
  }
  EXPECT_EQ(acedGetPoint(nullptr, L"Centre: ", p), RTNONE);  // the condition held for one call only
}

TEST_F(InputTest, EntityPicksUseThePickBox) {
  AcDbObjectId line = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 0, 0)));
  AcDbObjectId circle = add(new AcDbCircle(AcGePoint3d(50, 50, 0), AcGeVector3d(0, 0, 1), 10));
  doc->view().set(AcGePoint3d(50, 50, 0), 768);  // one drawing unit a pixel
  doc->view().setScreenSize(1024, 768);
  ACHAR handle[32];
  circle.handle().getIntoAsciiBuffer(handle, 32);
  std::wstring byHandle = std::wstring(L"entity handle ") + handle;
  answer({L"entity 30,2.5", L"entity 60,50.5", L"entity 30,8", byHandle.c_str(), L"enter", L"cancel"});
  ads_name ent;
  ads_point at;
  AcDbObjectId id;
  ASSERT_EQ(acedEntSel(L"\nSelect a line: ", ent, at), RTNORM);
  ASSERT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
  EXPECT_EQ(id, line);
  EXPECT_EQ(at[0], 30);
  ASSERT_EQ(acedEntSel(nullptr, ent, at), RTNORM);
  ASSERT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
  EXPECT_EQ(id, circle);  // 0.5 off the circle's edge at (60,50)
  EXPECT_EQ(acedEntSel(nullptr, ent, at), RTERROR);  // 8 units (pixels) away: outside the 3-pixel box
  EXPECT_EQ(uv::SystemVariables::errnoValue(), 7);
  ASSERT_EQ(acedEntSel(nullptr, ent, at), RTNORM);
  ASSERT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
  EXPECT_EQ(id, circle);
  EXPECT_EQ(acedEntSel(nullptr, ent, at), RTERROR);
  EXPECT_EQ(uv::SystemVariables::errnoValue(), 52);
  EXPECT_EQ(acedEntSel(nullptr, ent, at), RTCAN);
  EXPECT_NE(transcript().find(L"Select object: "), std::wstring::npos) << u8(transcript());
}

}  // namespace
