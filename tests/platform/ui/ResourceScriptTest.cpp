// Reading dialog templates: what a good file gives, and that every mistake
// is reported with its file and line.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/CommCtrl.h"
#include "ui/Images.h"
#include "ui/ResourceError.h"
#include "ui/ResourceScript.h"
#include "ui/Resources.h"

namespace {

using uv::ControlKind;
using uv::ResourceScript;
using uvtest::u8;

std::wstring errorOf(const std::wstring& text) {
  try {
    ResourceScript::parse(text, L"t.dlg", L"/res");
  } catch (const uv::ResourceError& e) {
    return e.message();
  }
  return L"";
}

TEST(ResourceScript, ReadsDialogsControlsAndImages) {
  ResourceScript s = ResourceScript::parse(
      L"# surface manager\n"
      L"dialog 209 KVX_SURFMAN size 300x200 caption=@5008\n"
      L"control 215 IDC_SETCURRENT bitmapbutton 10,10,20,20 style=disabled image=bitmap:211 tooltip=@5009\n"
      L"control 248 IDC_SURFACES listview 10,40,280,120 style=singlesel,gridlines,fullrowselect\n"
      L"control -1 IDC_STATIC static 10,170,60,8 caption=\"Name: \\\"x\\\"\"\n"
      L"control -1 IDC_STATIC line 10,180,280,1\n"
      L"control 9 IDHELP button 184,180,50,14 caption=Help style=hidden,disabled\n"
      L"icon 217 \"icons/attach.xpm\"\n",
      L"surfman.dlg", L"/res");
  ASSERT_EQ(s.dialogs.size(), 1u);
  const uv::DialogTemplate& d = s.dialogs[0];
  EXPECT_EQ(d.id, 209u);
  EXPECT_EQ(d.name, L"KVX_SURFMAN");
  EXPECT_EQ(d.width, 300);
  EXPECT_EQ(*d.caption.message, 5008u);
  ASSERT_EQ(d.controls.size(), 5u);
  const uv::ControlTemplate& button = d.controls[0];
  EXPECT_EQ(button.kind, ControlKind::kBitmapButton);
  EXPECT_TRUE(button.style & WS_DISABLED);
  EXPECT_TRUE(button.style & WS_VISIBLE);
  EXPECT_EQ(button.image.id, 211u);
  EXPECT_EQ(*button.toolTip.message, 5009u);
  EXPECT_EQ(button.rect, CRect(10, 10, 30, 30));
  const uv::ControlTemplate& list = d.controls[1];
  EXPECT_TRUE(list.style & LVS_SINGLESEL);
  EXPECT_EQ(list.exStyle, DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  EXPECT_EQ(d.controls[2].caption.text, L"Name: \"x\"");
  EXPECT_EQ(d.controls[3].kind, ControlKind::kLine);
  EXPECT_FALSE(d.controls[4].style & WS_VISIBLE);
  EXPECT_EQ(d.control(L"IDC_SURFACES")->id, 248);
  ASSERT_EQ(s.images.size(), 1u);
  EXPECT_EQ(s.images[0].path, L"/res/icons/attach.xpm");
}

TEST(ResourceScript, MistakesNameFileLineAndWhatIsWrong) {
  const std::wstring head = L"dialog 1 D size 100x50\n";
  struct Case {
    std::wstring text;
    const wchar_t* error;
  } cases[] = {
      {L"window 1 D size 10x10", L"t.dlg:1: unknown statement \"window\""},
      {L"dialog x D size 10x10", L"t.dlg:1: the dialog id should be a number, not \"x\""},
      {L"dialog 1 D 10x10", L"t.dlg:1: write: dialog ID NAME size WIDTHxHEIGHT"},
      {L"dialog 1 D size 10", L"t.dlg:1: the dialog size should be written WIDTHxHEIGHT, not \"10\""},
      {L"control 1 IDOK button 1,1,10,10", L"t.dlg:1: a control line must follow a dialog line"},
      {head + L"control 1 IDOK buton 1,1,10,10", L"t.dlg:2: unknown control kind \"buton\"; kinds are static,"},
      {head + L"control 1 IDOK button 1,1,10", L"t.dlg:2: the rectangle should be written x,y,width,height"},
      {head + L"control 1 IDOK button 95,1,10,10", L"t.dlg:2: control IDOK lies outside the dialog (100x50)"},
      // Ends beyond the range of a number.
      {head + L"control 1 IDOK button 2147483647,1,10,10", L"t.dlg:2: control IDOK lies outside the dialog (100x50)"},
      {head + L"control 1 IDOK button 1,1,10,2147483647", L"t.dlg:2: control IDOK lies outside the dialog (100x50)"},
      {L"dialog 1 D size 32768x10", L"t.dlg:1: the dialog size must be positive and at most 32767 dialog units"},
      {head + L"control 1 IDOK button 1,1,0,10", L"t.dlg:2: the control's width and height must be positive"},
      {head + L"control 1 IDOK button 1,1,10,10 style=number",
       L"t.dlg:2: a button takes no style \"number\"; it takes hidden, disabled"},
      {head + L"control 1 IDOK button 1,1,10,10 colour=red", L"t.dlg:2: unknown key \"colour\"; keys are style"},
      {head + L"control 1 IDOK button 1,1,10,10 caption=a caption=b", L"t.dlg:2: the key \"caption\" is given twice"},
      {head + L"control 1 IDOK button 1,1,10,10 Close", L"t.dlg:2: \"Close\" should be written key=value"},
      {head + L"control 1 IDOK button 1,1,10,10 caption=\"open", L"t.dlg:2: a quoted text is not closed"},
      {head + L"control 1 IDOK button 1,1,10,10 caption=@x", L"t.dlg:2: a message identifier after @ should be a number"},
      {head + L"control 1 IDOK edit 1,1,10,10 image=bitmap:3", L"t.dlg:2: only a bitmapbutton takes an image"},
      {head + L"control 1 A button 1,1,10,10\ncontrol 1 B button 1,20,10,10",
       L"t.dlg:3: control id 1 is already used by A on line 2"},
      {head + L"control 1 A button 1,1,10,10\ncontrol 2 A button 1,20,10,10",
       L"t.dlg:3: the name A is already used on line 2"},
      {head + L"dialog 1 E size 10x10", L"t.dlg:2: dialog 1 is already defined on line 1"},
      {L"bitmap 3 \"a.png\"\nbitmap 3 \"b.png\"", L"t.dlg:2: bitmap 3 is already declared on line 1"},
  };
  for (const auto& c : cases) {
    std::wstring error = errorOf(c.text);
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << u8(c.text) << "\n  gave: " << u8(error);
  }
  // Labels may share IDC_STATIC and -1.
  EXPECT_EQ(errorOf(head + L"control -1 IDC_STATIC static 1,1,10,8\ncontrol -1 IDC_STATIC static 1,20,10,8"), L"");
}

TEST(Resources, AFolderDefiningADialogTwiceNamesBothPlaces) {
  uv::Resources& r = uv::Resources::instance();
  HINSTANCE owner = reinterpret_cast<HINSTANCE>(0x7777);
  r.addText(L"dialog 7001 ONE size 10x10\n", L"one.dlg", L"/x", owner);
  try {
    r.addText(L"\ndialog 7001 TWO size 10x10\n", L"two.dlg", L"/x", owner);
    FAIL() << "a second dialog 7001 was taken";
  } catch (const uv::ResourceError& e) {
    EXPECT_EQ(e.message(), L"two.dlg:2: dialog 7001 is already defined in one.dlg:1");
  }
  EXPECT_EQ(r.dialog(7001)->name, L"ONE");
}

TEST(Resources, FindsTheSampleFolderAndItsImages) {
  uv::Resources::instance().addFolder(UV_SOURCE_DIR L"/module/resources/sample", reinterpret_cast<HINSTANCE>(0x9001));
  const uv::DialogTemplate* sample = uv::Resources::instance().dialog(900);
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(sample->name, L"UV_SAMPLE");
  HBITMAP strip = uv::Images::bitmapResource(913);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(uv::Images::info(strip)->width, 32);
  EXPECT_EQ(uv::Images::info(strip)->height, 16);
  EXPECT_EQ(uv::Images::bitmapResource(913), strip);  // the same picture, the same handle
  EXPECT_EQ(uv::Images::bitmapResource(65000), nullptr);
}

}  // namespace
