// Dialogs run modally by a scripted user: data exchange both ways, handlers
// bound by id, the keys, nested dialogs, editor commands hiding the
// dialogs, and refused actions named by script line, dialog and control.
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"
#include "ui/AfxWin.h"
#include "ui/CFileDialog.h"
#include "ui/Feedback.h"
#include "ui/ScreenChecks.h"
#include "user/CurrentUser.h"
#include "user/JobScript.h"
#include "user/ScriptError.h"

namespace {

using uvtest::runScript;
using uvtest::TestDialog;
using uvtest::u8;

TEST(Dialog, AScriptFillsTheControlsAndOkReadsThemIntoTheMembers) {
  TestDialog dlg;
  INT_PTR result = 0;
  std::wstring error = runScript(
      L"set IDC_NAME \"Teren\"\n"
      L"type IDC_COUNT \"42\"\n"
      L"set 103 \"0.25\"\n"
      L"check IDC_FLAG off\n"
      L"choose IDC_R1 \"Three\"\n"
      L"select-row IDC_LIST \"Beta\"\n"
      L"choose IDC_COMBO \"ALPHA\"\n"
      L"enter\n",
      [&] { result = dlg.DoModal(); });
  ASSERT_EQ(error, L"") << u8(error);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.initialName, L"start");
  EXPECT_EQ(dlg.initialRadio, 106);
  EXPECT_EQ(dlg.m_strName, L"Teren");
  EXPECT_EQ(dlg.m_nCount, 42);
  EXPECT_DOUBLE_EQ(dlg.m_dStep, 0.25);
  EXPECT_EQ(dlg.m_bFlag, 0);
  EXPECT_EQ(dlg.m_nChoice, 2);
  EXPECT_EQ(dlg.log, (std::vector<std::wstring>{L"radio 107 choice 2", L"row Beta", L"combo Alpha"}));
  EXPECT_EQ(dlg.nameChanges, 1);  // a paste is one change
  EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(CDialog::openModalDialogs().empty());
}

TEST(Dialog, AnUnreadableNumberIsReportedAndTheDialogStaysOpen) {
  TestDialog dlg;
  INT_PTR result = 0;
  std::wstring error = runScript(
      L"type IDC_COUNT \"12x\"\n"
      L"click IDOK\n"
      L"answer ok\n"  // "Enter a whole number."
      L"set IDC_COUNT \"7\"\n"
      L"set IDC_NAME \"\"\n"
      L"click IDOK\n"
      L"answer ok\n"  // "Enter a name."
      L"set IDC_NAME \"x\"\n"
      L"click 1\n",
      [&] { result = dlg.DoModal(); });
  ASSERT_EQ(error, L"") << u8(error);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.log.front(), L"focus 102");
  EXPECT_EQ(dlg.m_nCount, 7);
}

TEST(Dialog, EscapeTheCloseBoxAndEndingAtInitGiveTheirResults) {
  struct Case {
    const wchar_t* script;
    bool endAtInit;
    INT_PTR result;
  } cases[] = {{L"cancel\n", false, IDCANCEL}, {L"close\n", false, IDCANCEL}, {L"answer ok\n", true, IDCLOSE}};
  for (const auto& c : cases) {
    TestDialog dlg;
    dlg.endAtInit = c.endAtInit;
    dlg.m_strName = L"unchanged";
    INT_PTR result = 0;
    std::wstring error = runScript(c.script, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(error, L"") << u8(error);
    EXPECT_EQ(result, c.result) << u8(c.script);
    EXPECT_EQ(dlg.m_strName, L"unchanged");
  }
}

// A line the dialog cannot do stops the script naming the line, the dialog
// and the control. "expect" looks without acting, also at a disabled
// control, and stops the script saying what the control shows instead.
TEST(Dialog, LinesAreDoneOrRefusedNamingTheLineTheDialogAndTheControl) {
  const std::wstring dialog = L"job.txt:1: the dialog \"Test\" (template 700 TEST_MAIN) cannot do ";
  struct Case {
    const wchar_t* line;
    std::wstring error;
  } cases[] = {
      {L"click IDC_NOPE", dialog + L"\"click IDC_NOPE\": it has no control named IDC_NOPE"},
      {L"click 999", dialog + L"\"click 999\": it has no control 999"},
      {L"click IDC_OFF", dialog + L"\"click IDC_OFF\": IDC_OFF (114) is disabled"},
      {L"click IDHELP", dialog + L"\"click IDHELP\": IDHELP (9) is hidden"},
      {L"set IDC_FLAG \"x\"", dialog + L"\"set IDC_FLAG \"x\"\": IDC_FLAG (104) is a check box, which cannot do \"set\""},
      {L"select-row IDC_LIST 7", dialog + L"\"select-row IDC_LIST 7\": IDC_LIST (112) has no row 7 (it has 3)"},
      {L"choose IDC_COMBO \"zeta\"", dialog + L"\"choose IDC_COMBO \"zeta\"\": IDC_COMBO (113) has no item \"zeta\" (it has 3)"},
      {L"check IDC_R2 off", dialog + L"\"check IDC_R2 off\": IDC_R2 (106) is a radio button; choose another button of its group"},
      {L"point 1,2", L"job.txt:1: the program asked for an action in the dialog \"Test\" (template 700 TEST_MAIN) but the script says: point 1,2"},
      {L"expect IDC_OFF disabled", L""},
      {L"expect IDC_NAME ENABLED", L""},
      {L"expect IDC_NAME text \"start\"", L""},
      {L"expect IDC_NAME focused", L""},
      {L"expect IDHELP hidden", L""},
      {L"expect IDC_OFF shown", L""},
      {L"expect IDC_LIST rows \"Alpha\" \"Beta\" \"Gamma\"", L""},
      {L"expect IDC_LIST rows \"Alpha\" \"Gamma\"",
       dialog + L"\"expect IDC_LIST rows \"Alpha\" \"Gamma\"\": IDC_LIST (112) has the rows \"Alpha\" \"Beta\" \"Gamma\""},
      {L"set IDC_COUNT \"5\"\nexpect IDC_COUNT focused", L""},  // the field typed into has the focus
      {L"expect IDC_LIST selected", L""},
      {L"expect IDC_LIST ticked", L""},
      {L"select-row IDC_LIST \"Beta\"\nexpect IDC_LIST selected \"Beta\"", L""},
      {L"select-row IDC_LIST \"Beta\"\nexpect IDC_LIST selected \"Gamma\"",
       L"job.txt:2: the dialog \"Test\" (template 700 TEST_MAIN) cannot do \"expect IDC_LIST selected \"Gamma\"\": IDC_LIST (112) has selected \"Beta\""},
      {L"expect IDC_LIST ticked \"Alpha\"", dialog + L"\"expect IDC_LIST ticked \"Alpha\"\": IDC_LIST (112) has ticked (none)"},
      {L"expect IDC_NAME rows", dialog + L"\"expect IDC_NAME rows\": IDC_NAME (101) is not a list"},
      {L"expect IDC_OFF enabled", dialog + L"\"expect IDC_OFF enabled\": IDC_OFF (114) is disabled"},
      {L"expect IDC_NAME disabled", dialog + L"\"expect IDC_NAME disabled\": IDC_NAME (101) is enabled"},
      {L"expect IDHELP shown", dialog + L"\"expect IDHELP shown\": IDHELP (9) is hidden"},
      {L"expect IDC_NAME hidden", dialog + L"\"expect IDC_NAME hidden\": IDC_NAME (101) is shown"},
      {L"expect IDC_NAME text \"end\"", dialog + L"\"expect IDC_NAME text \"end\"\": IDC_NAME (101) shows \"start\""},
      {L"expect IDC_COUNT focused",
       dialog + L"\"expect IDC_COUNT focused\": IDC_COUNT (102) does not have the focus; IDC_NAME (101) has it"},
      {L"expect IDC_NOPE enabled", dialog + L"\"expect IDC_NOPE enabled\": it has no control named IDC_NOPE"},
      {L"expect IDC_LIST colours default DEFAULT default", L""},  // no colours of its own: the list's
      {L"expect IDC_LIST colours white",
       dialog + L"\"expect IDC_LIST colours white\": IDC_LIST (112) has the colours default default default"},
      {L"expect IDC_NAME colours", dialog + L"\"expect IDC_NAME colours\": IDC_NAME (101) is not a list"},
      // Checks of the windows, not of a control.
      {L"expect dialog shown", L""},
      {L"expect drawing disabled", L""},
      {L"expect dialog hidden",
       L"job.txt:1: \"expect dialog hidden\": the dialog \"Test\" (template 700 TEST_MAIN) is shown"},
      {L"expect drawing enabled", L"job.txt:1: \"expect drawing enabled\": the drawing takes no input: a dialog holds it"},
      {L"expect dialog focused", L""},
      {L"expect dialog text \"x\"", L"job.txt:1: \"expect dialog text \"x\"\": write expect dialog hidden, shown or focused"},
  };
  uv::installScreenChecks();
  for (const auto& c : cases) {
    TestDialog dlg;
    std::wstring error = runScript(std::wstring(c.line) + L"\ncancel\n", [&] { dlg.DoModal(); });
    EXPECT_EQ(error, c.error) << u8(c.line);
    EXPECT_TRUE(CDialog::openModalDialogs().empty());
  }
}

TEST(Dialog, AScriptThatEndsWhileADialogIsOpenSaysWhichDialogWaited) {
  TestDialog dlg;
  std::wstring error = runScript(L"set IDC_NAME \"x\"\n", [&] { dlg.DoModal(); });
  EXPECT_EQ(error, L"job.txt:1: the script ended while the dialog \"Test\" (template 700 TEST_MAIN) was open");
}

// While the program asks for the point the dialog is hidden and the drawing
// takes the input; then both come back.
TEST(Dialog, AnEditorCommandHidesTheDialogUntilItCompletes) {
  uvtest::registerTestResources();
  uv::installScreenChecks();
  TestDialog dlg;
  const int waits = uv::Feedback::waitCursorShown();
  const std::wstring error = runScript(
      L"click IDC_PICK\nexpect dialog hidden\nexpect drawing enabled\npoint 3,4\n"
      L"expect dialog shown\nexpect drawing disabled\ncancel\n",
      [&] { dlg.DoModal(); });
  ASSERT_EQ(error, L"") << u8(error);
  EXPECT_TRUE(dlg.visibleAfterPick);
  EXPECT_EQ(dlg.picked, AcGePoint3d(3, 4, 0));
  EXPECT_TRUE(AfxGetMainWnd()->IsWindowEnabled());
  // The posted message arrives after the click's handler is done.
  EXPECT_EQ(dlg.log, (std::vector<std::wstring>{L"picked", L"posted 1"}));
  EXPECT_EQ(uv::Feedback::waitCursorShown(), waits + 1);
  EXPECT_EQ(uv::Feedback::waitCursorDepth(), 0);
}

TEST(Dialog, ANestedDialogTakesTheActionsUntilItEnds) {
  TestDialog dlg;
  std::wstring error = runScript(
      L"click IDC_NESTED\n"
      L"set IDC_SMALL_TEXT \"renamed\"\n"
      L"click IDOK\n"
      L"set IDC_NAME \"back\"\n"
      L"click IDC_NESTED\n"
      L"set IDC_NAME \"x\"\n",
      [&] { dlg.DoModal(); });
  EXPECT_EQ(error,
            L"job.txt:6: the dialog \"Small\" (template 704 TEST_SMALL) cannot do \"set IDC_NAME \"x\"\": it has no "
            L"control named IDC_NAME");
  EXPECT_EQ(dlg.log.front(), L"nested 1 renamed");
  EXPECT_TRUE(CDialog::openModalDialogs().empty());
}

TEST(Dialog, TheKeepFocusQueryIsAnsweredByDialogsThatMapIt) {
  TestDialog main;
  uvtest::TestSmall small;
  EXPECT_EQ(main.SendMessage(WM_ACAD_KEEPFOCUS), TRUE);
  EXPECT_EQ(small.SendMessage(WM_ACAD_KEEPFOCUS), FALSE);
}

TEST(TabDialog, PagesComeFromTheirTemplatesAndSwitchWithTheTab) {
  uvtest::TestTabs dlg;
  INT_PTR result = 0;
  std::wstring error = runScript(
      L"set IDC_A_TEXT \"first\"\n"
      L"choose IDC_TAB \"Second\"\n"
      L"check IDC_B_CHECK on\n"
      L"choose 201 #0\n"  // 201 names the tab control, not page A's heading
      L"click IDCLOSE\n",
      [&] {
        result = dlg.DoModal();
      });
  ASSERT_EQ(error, L"") << u8(error);
  EXPECT_EQ(result, IDCLOSE);
  EXPECT_EQ(dlg.log, (std::vector<std::wstring>{L"A shown", L"A hidden", L"B shown", L"B hidden", L"A shown"}));
}

TEST(TabDialog, ControlsOfAHiddenPageAndARefusedSwitchAreReported) {
  const std::wstring dialog = L"the dialog \"Tabs\" (template 701 TEST_TABS) cannot do ";
  uvtest::TestTabs first;
  EXPECT_EQ(runScript(L"set IDC_B_ONLY \"x\"\n", [&] { first.DoModal(); }),
            L"job.txt:1: " + dialog + L"\"set IDC_B_ONLY \"x\"\": IDC_B_ONLY (402) is on the page \"B\", which is not shown");
  uvtest::TestTabs second;
  EXPECT_EQ(runScript(L"set IDC_A_TEXT \"stay\"\nchoose IDC_TAB \"Second\"\n", [&] { second.DoModal(); }),
            L"job.txt:2: " + dialog +
                L"\"choose IDC_TAB \"Second\"\": IDC_TAB (201) stays on page \"First\": the dialog refused to leave it");
}

TEST(TabDialog, APageFillsTheTabControlsDisplayArea) {
  uvtest::registerTestResources();
  uvtest::TestTabs dlg;
  uv::ScriptedUser user;
  uv::UserScope scope(user);
  dlg.Create(701, nullptr);
  CRect tab = dlg.tab().rect();
  CRect page = dlg.pageA().rect();
  EXPECT_GT(page.left, tab.left);
  EXPECT_GT(page.top, tab.top + 15);  // below the row of tabs
  EXPECT_LT(page.right, tab.right);
  EXPECT_LT(page.bottom, tab.bottom);
  EXPECT_TRUE(dlg.pageA().GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(dlg.pageB().GetStyle() & WS_VISIBLE);
}

// Keeps the file question to look at it.
class FileUser : public uv::ScriptedUser {
 public:
  using ScriptedUser::ScriptedUser;
  uv::FileQuestion asked;
  std::optional<std::wstring> chooseFile(const uv::FileQuestion& q) override {
    asked = q;
    return ScriptedUser::chooseFile(q);
  }
};

TEST(FileDialog, AsksWithTheFilterExtensionAndOverwriteQuestion) {
  FileUser user(uv::JobScript::parse(L"file \"/data/out\"\nfile cancel\n", L"job.txt"));
  uv::UserScope scope(user);
  CFileDialog save(FALSE, L"kvb", L"c:\\drawing.kvb", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"*.kvb|*.kvb|*.*|*.*||");
  ASSERT_EQ(save.DoModal(), IDOK);
  EXPECT_TRUE(user.asked.save);
  EXPECT_TRUE(user.asked.confirmOverwrite);
  EXPECT_EQ(user.asked.filter, L"*.kvb|*.kvb|*.*|*.*||");
  EXPECT_EQ(user.asked.defaultExtension, L"kvb");
  EXPECT_EQ(user.asked.initialName, L"c:\\drawing.kvb");
  EXPECT_EQ(save.GetPathName(), L"/data/out.kvb");
  EXPECT_EQ(save.GetFileName(), L"out.kvb");
  EXPECT_EQ(save.GetFileTitle(), L"out");
  CFileDialog open(TRUE, nullptr, nullptr, OFN_OVERWRITEPROMPT, L"*.txt|*.txt||");
  EXPECT_EQ(open.DoModal(), IDCANCEL);
  EXPECT_FALSE(user.asked.save);
  EXPECT_FALSE(user.asked.confirmOverwrite);  // only a save asks before replacing
}

TEST(MessageBoxes, GoToTheUserWithTheirButtonsAndCaption) {
  class Asked : public uv::ScriptedUser {
   public:
    using ScriptedUser::ScriptedUser;
    uv::MessageQuestion last;
    int messageBox(const uv::MessageQuestion& q) override {
      last = q;
      return ScriptedUser::messageBox(q);
    }
  } user(uv::JobScript::parse(L"answer yes\nanswer ok\n", L"job.txt"));
  uv::UserScope scope(user);
  EXPECT_EQ(AfxMessageBox(L"Delete the surface?", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(user.last.caption, uv::applicationTitle().str());
  EXPECT_EQ(user.last.buttons(), MB_YESNO);
  EXPECT_EQ(user.last.icon(), MB_ICONQUESTION);
  CWnd window;
  EXPECT_EQ(window.MessageBox(L"Nothing to do."), IDOK);
  EXPECT_EQ(user.last.caption, L"Error");
}

}  // namespace
