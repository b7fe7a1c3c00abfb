#include <gtest/gtest.h>

#include "base/TextCase.h"
#include "user/CurrentUser.h"
#include "user/MessageBoxCodes.h"
#include "user/ScriptError.h"
#include "user/ScriptedUser.h"

namespace {

std::string u8(const std::wstring& s) { return uv::toUtf8(s); }

// A dialog with a name field, an OK button that asks the user a question
// first, and a pick button that prompts for a point, as the module's dialogs do.
class FakeDialog : public uv::ModalDialog {
 public:
  std::vector<std::wstring> log;
  bool endAtInit = false;

  void initialise() override {
    log.push_back(L"init");
    if (endAtInit) end(8);
  }
  void apply(const uv::DialogAction& a) override {
    log.push_back(a.describe());
    if (a.verb == L"set" && a.control == L"IDC_NAME") {
      name = a.value(0);
    } else if (a.verb == L"click" && a.control == L"IDC_PICK") {
      auto p = uv::currentUser().getPoint({L"Pick:"});
      picked = p.status == uv::InputStatus::kOk;
    } else if (a.verb == L"click" && (a.control == L"IDOK" || a.control == L"1")) {
      if (uv::currentUser().messageBox({L"Sure?", L"", MB_YESNO}) == IDYES) end(IDOK);
    } else if (a.verb == L"cancel" || a.verb == L"close") {
      end(IDCANCEL);
    } else if (a.verb == L"choose") {
      if (!a.isIndex(0)) throw uv::DialogActionRefused(L"only indices here");
      chosen = a.index(0);
    } else {
      throw uv::DialogActionRefused(L"no control " + a.control);
    }
  }
  bool isEnded() const override { return ended; }
  INT_PTR result() const override { return res; }
  std::wstring title() const override { return L"New surface"; }

  std::wstring name;
  bool picked = false;
  int chosen = -1;

 private:
  void end(INT_PTR r) {
    ended = true;
    res = r;
  }
  bool ended = false;
  INT_PTR res = 0;
};

std::wstring errorOf(uv::ScriptedUser& user, FakeDialog& dialog) {
  try {
    uv::UserScope scope(user);
    user.runDialog(dialog);
  } catch (const uv::ScriptError& e) {
    return e.fullMessage();
  }
  return L"";
}

TEST(ScriptedDialog, ActionsAndNestedQuestionsTakeTheQueueInOrder) {
  uv::ScriptedUser user = uv::ScriptedUser::fromText(
      L"set IDC_NAME \"Teren\"\n"
      L"click IDC_PICK\n"
      L"point 5,5\n"          // answers the prompt the pick button raises
      L"choose IDC_LIST #2\n"
      L"click IDOK\n"
      L"answer no\n"          // the dialog stays open
      L"click IDOK\n"
      L"answer yes\n"
      L"SHOW\n",
      L"job.txt");
  FakeDialog dialog;
  uv::UserScope scope(user);
  EXPECT_EQ(user.runDialog(dialog), IDOK);
  EXPECT_EQ(dialog.name, L"Teren");
  EXPECT_TRUE(dialog.picked);
  EXPECT_EQ(dialog.chosen, 2);
  EXPECT_EQ(dialog.log.front(), L"init");
  EXPECT_EQ(dialog.log.size(), 6u);
  ASSERT_EQ(user.pending(), 1u);  // what follows the dialog stays for the host
  EXPECT_EQ(user.peek()->verb, L"SHOW");
}

TEST(ScriptedDialog, KeysAndEarlyEnds) {
  uv::ScriptedUser user;
  user.appendLines({L"cancel"});
  FakeDialog dialog;
  EXPECT_EQ(user.runDialog(dialog), IDCANCEL);
  FakeDialog refusing;
  refusing.endAtInit = true;  // a dialog that ends in its initialisation takes no action
  EXPECT_EQ(user.runDialog(refusing), 8);
  EXPECT_EQ(user.pending(), 0u);
}

TEST(ScriptedDialog, ErrorsNameTheLineTheDialogAndTheReason) {
  struct Case {
    const wchar_t* script;
    const wchar_t* error;
  } cases[] = {
      {L"click IDC_NOPE\n", L"job.txt:1: the dialog \"New surface\" cannot do \"click IDC_NOPE\": no control IDC_NOPE"},
      {L"choose IDC_LIST \"#2\"\n", L"job.txt:1: the dialog \"New surface\" cannot do \"choose IDC_LIST \"#2\"\": only indices here"},
      {L"point 1,2\n",
       L"job.txt:1: the program asked for an action in the dialog \"New surface\" but the script says: point 1,2"},
      {L"set IDC_NAME \"x\"\n", L"job.txt:1: the script ended while the dialog \"New surface\" was open"},
      {L"click IDC_PICK\nclick IDOK\n",
       L"job.txt:2: the program asked for a point (\"Pick:\") but the script says: click IDOK"},
  };
  for (const auto& c : cases) {
    uv::ScriptedUser user = uv::ScriptedUser::fromText(c.script, L"job.txt");
    FakeDialog dialog;
    EXPECT_EQ(errorOf(user, dialog), c.error) << u8(c.script);
  }
}

}  // namespace
