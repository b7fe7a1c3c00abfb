// The alphanumeric field's refused characters and the file field's browse
// button.
#include <gtest/gtest.h>

#include "module/controls/CAlphanumericEdit.h"
#include "module/controls/CBrowseEdit.h"
#include "module/controls/RefusedCharacters.h"
#include "tests/platform/ui/UiTestSupport.h"
#include "ui/Feedback.h"
#include "user/CurrentUser.h"
#include "user/JobScript.h"

namespace {

using uvtest::u8;

// The characters a surface name may not hold.
const wchar_t* kRefused = L"!#&[]{}@+-$%&()<>\\/\":?*|,=' \u00B4\u00B8";

TEST(RefusedCharacters, PastedTextLosesThem) {
  struct Case {
    const wchar_t* text;
    const wchar_t* kept;
  } cases[] = {
      {L"Teren", L"Teren"},
      {L"Teren 1", L"Teren1"},
      {L"a/b\\c:d", L"abcd"},
      {L"Plo\u0161ha.2", L"Plo\u0161ha.2"},  // letters and points are fine
      {L"#!&", L""},
      {L"\u00B4x\u00B8", L"x"},
  };
  for (const auto& c : cases) EXPECT_EQ(uv::withoutRefused(c.text, kRefused), c.kept) << u8(c.text);
}

TEST(AlphanumericEdit, TypedRefusedCharactersBeepPastedOnesVanishSilently) {
  CWnd parent;
  parent.Create(nullptr, L"p", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0);
  CAlphanumericEdit edit;
  edit.Create(WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 1);
  edit.SetRefusedCharacters(kRefused);
  uv::Feedback::clearBeeps();
  edit.userType(L"Te ren#1");
  EXPECT_EQ(edit.windowText(), L"Teren1");
  EXPECT_EQ(uv::Feedback::beeps(), (std::vector<UINT>{MB_ICONEXCLAMATION, MB_ICONEXCLAMATION}));
  uv::Feedback::clearBeeps();
  edit.userPaste(L"Nova ploha (2)");
  EXPECT_EQ(edit.windowText(), L"Novaploha2");
  EXPECT_TRUE(uv::Feedback::beeps().empty());
}

class BrowseUser : public uv::ScriptedUser {
 public:
  using ScriptedUser::ScriptedUser;
  std::vector<uv::FileQuestion> asked;
  std::optional<std::wstring> chooseFile(const uv::FileQuestion& q) override {
    asked.push_back(q);
    return ScriptedUser::chooseFile(q);
  }
};

TEST(BrowseEdit, TheButtonAsksForAFileFromTheFieldsTextAndTakesTheAnswer) {
  BrowseUser user(uv::JobScript::parse(L"file cancel\nfile \"/data/new\"\n", L"job.txt"));
  uv::UserScope scope(user);
  CWnd parent;
  parent.Create(nullptr, L"p", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0);
  CBrowseEdit field;
  field.Create(WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 215);
  field.EnableFileBrowseButton(L"kvb", L"*.kvb|*.kvb|*.*|*.*||", OFN_OVERWRITEPROMPT);
  field.SetSaveDialog(TRUE);
  field.SetWindowText(L"c:\\drawing.kvb");
  field.applyUserAction(uv::DialogAction(L"click", L"215"));
  EXPECT_EQ(field.windowText(), L"c:\\drawing.kvb");  // cancelled
  field.applyUserAction(uv::DialogAction(L"click", L"215"));
  EXPECT_EQ(field.windowText(), L"/data/new.kvb");
  ASSERT_EQ(user.asked.size(), 2u);
  EXPECT_TRUE(user.asked[0].save);
  EXPECT_TRUE(user.asked[0].confirmOverwrite);
  EXPECT_EQ(user.asked[0].initialName, L"c:\\drawing.kvb");
  EXPECT_EQ(user.asked[0].filter, L"*.kvb|*.kvb|*.*|*.*||");
  EXPECT_EQ(user.asked[1].initialName, L"c:\\drawing.kvb");
  EXPECT_EQ(field.widgetKind(), uv::WidgetKind::kBrowseEdit);
}

}  // namespace
