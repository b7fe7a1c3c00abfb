#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <map>

#include "ui/Resources.h"
#include "user/CurrentUser.h"
#include "user/ScriptError.h"

namespace uvtest {

namespace {

const wchar_t* kTemplates = LR"(
dialog 700 TEST_MAIN size 200x150 caption="Test"
control 101 IDC_NAME edit 5,5,100,12
control 102 IDC_COUNT edit 5,20,50,12
control 103 IDC_STEP edit 5,35,50,12
control 104 IDC_FLAG checkbox 5,50,80,10 caption="Flag"
control 105 IDC_R1 radio 5,62,60,10 caption="One" style=group
control 106 IDC_R2 radio 5,72,60,10 caption="Two"
control 107 IDC_R3 radio 5,82,60,10 caption="Three"
control 108 IDC_AFTER checkbox 5,92,60,10 caption="After" style=group
control 110 IDC_PICK button 110,5,50,14 caption="Pick"
control 111 IDC_NESTED button 110,20,50,14 caption="More"
control 112 IDC_LIST listview 110,40,85,50 style=singlesel
control 113 IDC_COMBO combobox 110,95,85,50 style=sorted
control 114 IDC_OFF button 110,110,40,14 caption="Off" style=disabled
control 1 IDOK button 90,130,50,14 caption=@60 style=default
control 2 IDCANCEL button 145,130,50,14 caption=@67
control 9 IDHELP button 5,130,50,14 caption=Help style=hidden

dialog 701 TEST_TABS size 200x150 caption="Tabs"
control 201 IDC_TAB tabcontrol 5,5,190,110
control 8 IDCLOSE button 145,130,50,14 caption=Close

dialog 702 TEST_PAGE_A size 180x70 caption="A"
control 201 IDC_A_HEADING static 5,5,80,8 caption="Heading"
control 301 IDC_A_TEXT edit 5,20,80,12

dialog 703 TEST_PAGE_B size 180x70 caption="B"
control 401 IDC_B_CHECK checkbox 5,5,80,10 caption="Check"
control 402 IDC_B_ONLY edit 5,20,80,12

dialog 704 TEST_SMALL size 100x40 caption="Small"
control 501 IDC_SMALL_TEXT edit 5,5,90,12
control 1 IDOK button 45,22,50,14 caption=@60
)";

}  // namespace

void registerTestResources() {
  static bool done = false;
  if (done) return;
  done = true;
  uv::Resources::instance().addText(kTemplates, L"test.dlg", uv::fromUtf8(UV_TEST_DATA_DIR));
  static const std::map<UINT, std::wstring> messages = {{60, L"OK"}, {67, L"Cancel"}, {5009, L"Make current"}};
  uv::Resources::instance().setMessageResolver([](UINT id) {
    auto it = messages.find(id);
    return it == messages.end() ? L"[message " + std::to_wstring(id) + L"]" : it->second;
  });
}

std::wstring runScript(const std::wstring& script, const std::function<void()>& body) {
  registerTestResources();
  uv::ScriptedUser user = uv::ScriptedUser::fromText(script, L"job.txt");
  uv::UserScope scope(user);
  try {
    body();
  } catch (const uv::ScriptError& e) {
    return e.fullMessage();
  }
  EXPECT_TRUE(user.empty()) << "actions left: " << user.pending();
  return L"";
}

}  // namespace uvtest
