// What a person types at the command line, read against each kind of
// question; and a recorded session read back by the job-script reader
// giving the scripted user the very answers the person gave.
#include <gtest/gtest.h>

#include "user/JobScript.h"
#include "user/MessageBoxCodes.h"
#include "user/ScriptedUser.h"
#include "user/SessionRecorder.h"
#include "user/TypedInput.h"

namespace {


TEST(TypedInputTest, Points) {
  struct Case {
    const wchar_t* text;
    std::optional<AcGePoint3d> base;
    std::optional<AcGePoint3d> expected;
  };
  const Case cases[] = {
      {L"10,20", std::nullopt, AcGePoint3d(10, 20, 0)},
      {L" -1.5,2e2,3 ", std::nullopt, AcGePoint3d(-1.5, 200, 3)},
      {L"@5,-5", AcGePoint3d(1, 1, 1), AcGePoint3d(6, -4, 1)},
      {L"@5,-5", std::nullopt, AcGePoint3d(5, -5, 0)},
      {L"10", std::nullopt, std::nullopt},
      {L"10,", std::nullopt, std::nullopt},
      {L"ten,20", std::nullopt, std::nullopt},
      {L"1,2,3,4", std::nullopt, std::nullopt},
      {L"", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    const auto p = uv::typed::point(c.text, c.base);
    ASSERT_EQ(p.has_value(), c.expected.has_value());
    if (p) { EXPECT_TRUE(p->isEqualTo(*c.expected)); }
  }
}

TEST(TypedInputTest, NumbersKeywordsAndSelectionWords) {
  EXPECT_EQ(uv::typed::number(L" 12.5 ", false), 12.5);
  EXPECT_EQ(uv::typed::number(L"12.5", true), std::nullopt);
  EXPECT_EQ(uv::typed::number(L"-7", true), -7);
  EXPECT_EQ(uv::typed::number(L"1,5", false), std::nullopt);

  const std::vector<std::wstring> keys = {L"Left", L"Right", L"Rotate"};
  struct Case {
    const wchar_t* text;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {{L"left", L"Left"}, {L"L", L"Left"}, {L"ri", L"Right"},
                        {L"r", std::nullopt},  // Right or Rotate
                        {L"ROT", L"Rotate"}, {L"Up", std::nullopt}, {L"", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(uv::typed::keyword(c.text, keys), c.expected) << testing::PrintToString(std::wstring(c.text));

  using Mode = uv::SelectionAnswer::Mode;
  EXPECT_EQ(uv::typed::selectionWord(L"ALL"), Mode::kAll);
  EXPECT_EQ(uv::typed::selectionWord(L"l"), Mode::kLast);
  EXPECT_EQ(uv::typed::selectionWord(L"previous"), Mode::kPrevious);
  EXPECT_EQ(uv::typed::selectionWord(L"a"), std::nullopt);
}

TEST(SessionRecorderTest, WhatIsRecordedReplaysToTheSameAnswers) {
  uv::SessionRecorder r;
  r.command(L"SHOW");
  uv::PointAnswer point{uv::InputStatus::kOk, AcGePoint3d(1.25, -3, 0), {}};
  r.point(point);
  r.point({uv::InputStatus::kOk, AcGePoint3d(4, 5, 6), {}}, true);
  r.point({uv::InputStatus::kNone, {}, {}});
  r.string({uv::InputStatus::kOk, L"a \"quoted\" name", {}});
  r.number({uv::InputStatus::kOk, 0.1, {}}, false);
  r.keyword({uv::InputStatus::kOk, L"Right", {}});
  uv::SelectionAnswer window;
  window.mode = uv::SelectionAnswer::Mode::kCrossing;
  window.first = AcGePoint3d(0, 0, 0);
  window.second = AcGePoint3d(-10, 5, 0);
  r.selection(window);
  r.messageBox(IDNO);
  r.color(256);
  r.file(std::wstring(L"/tmp/site points.txt"));
  r.dialog(uv::DialogAction(L"set", L"IDC_NAME", {{L"T", true}}));
  r.dialog(uv::DialogAction(L"set", L"IDC_NAME", {{L"Te", true}}));  // more keys into the same field
  r.dialog(uv::DialogAction(L"click", L"IDOK"));
  r.dialog(uv::DialogAction(L"click", L"IDC_GONE"));
  r.dialog(uv::DialogAction(L"click", L"IDC_GONE"), true);  // the dialog refused it

  const std::vector<uv::ScriptAction> actions = uv::JobScript::parse(r.text(), L"session.job");
  ASSERT_EQ(actions.size(), 13u);
  EXPECT_EQ(actions[0].kind, uv::ActionKind::kCommand);
  EXPECT_EQ(actions[11].describe(), L"set IDC_NAME \"Te\"");
  EXPECT_EQ(actions[12].describe(), L"click IDOK");

  uv::ScriptedUser user(std::vector<uv::ScriptAction>(actions.begin() + 1, actions.begin() + 11));
  EXPECT_TRUE(user.getPoint({}).point.isEqualTo(point.point));
  EXPECT_TRUE(user.getCorner({}).point.isEqualTo(AcGePoint3d(4, 5, 6)));
  EXPECT_EQ(user.getPoint({}).status, uv::InputStatus::kNone);
  EXPECT_EQ(user.getString({L"", true, 0}).text, L"a \"quoted\" name");
  EXPECT_EQ(user.getNumber({}).value, 0.1);
  EXPECT_EQ(user.getKeyword({L"", {L"Left", L"Right"}}).text, L"Right");
  const uv::SelectionAnswer s = user.select({});
  EXPECT_EQ(s.mode, uv::SelectionAnswer::Mode::kCrossing);
  EXPECT_TRUE(s.second.isEqualTo(window.second));
  EXPECT_EQ(user.messageBox({L"", L"", MB_YESNO}), IDNO);
  EXPECT_EQ(user.chooseColor({7, true, 7}), 256);
  EXPECT_EQ(user.chooseFile({}), std::optional<std::wstring>(L"/tmp/site points.txt"));
}

}  // namespace
