// The product's bitmap button: its picture from bitmap and icon resources
// or the product's icons, its tool tip from the message catalogue, alone
// and bound to a dialog's button.
#include <gtest/gtest.h>

#include "base/TextCase.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/CAcUiDialog.h"
#include "ui/Images.h"
#include "ui/Resources.h"
#include "user/CurrentUser.h"
#include "user/ScriptedUser.h"

namespace {

const std::wstring kIcons = uv::fromUtf8(std::string(UV_SOURCE_DIR) + "/product/giscore/data/icons");

// Picture resources of this test, and a dialog with one bitmap button.
class BitmapButtonTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    uv::Resources::instance().addText(
        L"bitmap 9101 \"IDI_FILEIMPORT1.xpm\"\n"
        L"icon 9102 \"IDI_FILEIMPORTADD.xpm\"\n"
        L"dialog 9100 BUTTON_TEST size 100x40 caption=\"Buttons\"\n"
        L"control 300 IDC_PICTURE bitmapbutton 4,4,20,18\n"
        L"control 1 IDOK button 46,22,50,14 caption=\"OK\"\n",
        L"buttons.dlg", kIcons, reinterpret_cast<HINSTANCE>(0x9100));
  }
};

const uv::ImageInfo* imageOf(const void* handle) { return uv::Images::info(handle); }

TEST_F(BitmapButtonTest, PicturesFromBitmapAndIconResources) {
  CKVLBitmapButton button;
  ASSERT_TRUE(button.SetBitmapImage(9101));
  const uv::ImageInfo* bitmap = imageOf(button.GetBitmap());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->resourceId, 9101u);
  EXPECT_EQ(bitmap->width, 20);
  EXPECT_FALSE(bitmap->icon);

  // A picture the resources lack leaves the one shown.
  EXPECT_FALSE(button.SetBitmapImage(9999));
  EXPECT_EQ(imageOf(button.GetBitmap()), bitmap);

  ASSERT_TRUE(button.SetIconImage(9102, 16, 16));
  const uv::ImageInfo* icon = imageOf(button.GetIcon());
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(icon->icon);
  EXPECT_EQ(icon->resourceId, 9102u);
  EXPECT_EQ(icon->width, 16);
  EXPECT_EQ(icon->height, 16);
  EXPECT_FALSE(button.SetIconImage(9999, 16, 16));
}

TEST_F(BitmapButtonTest, TheProductsIconsByName) {
  CKVLBitmapButton button;
  ASSERT_TRUE(button.SetProductIcon(L"IDI_FILEIMPORTADD", 16, 16));
  const uv::ImageInfo* icon = imageOf(button.GetIcon());
  ASSERT_NE(icon, nullptr);
  EXPECT_NE(icon->path.find(L"IDI_FILEIMPORTADD.xpm"), std::wstring::npos) << uv::toUtf8(icon->path);
  EXPECT_EQ(icon->width, 16);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(button.SetProductIcon(L"IDI_NO_SUCH_ICON"));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(imageOf(button.GetIcon()), icon);
}

TEST_F(BitmapButtonTest, ToolTipsComeFromTheMessageCatalogue) {
  CKVLBitmapButton button;
  button.SetToolTipMessage(2320);
  EXPECT_EQ(button.GetToolTipText(), CModuleConfiguration::GetMsg(2320));
  EXPECT_FALSE(button.GetToolTipText().IsEmpty());
  EXPECT_EQ(button.GetToolTipText().Find(L"[message"), -1) << "the catalogue has a text for 2320";
  button.SetToolTip(L"Zoom to the surface");
  EXPECT_EQ(button.GetToolTipText(), L"Zoom to the surface");
}

class ButtonDialog : public CAcUiDialog {
 public:
  ButtonDialog() : CAcUiDialog(9100) {}
  CKVLBitmapButton m_picture;
  const uv::ImageInfo* shown = nullptr;
  CString tip;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 300, m_picture); }
  BOOL OnInitDialog() override {
    CAcUiDialog::OnInitDialog();
    m_picture.SetBitmapImage(9101);
    m_picture.SetToolTipMessage(2750);
    // What the dialog's own control now shows.
    auto* control = static_cast<CButton*>(GetDlgItem(300));
    shown = imageOf(control->GetBitmap());
    tip = control->toolTip();
    return TRUE;
  }
};

TEST_F(BitmapButtonTest, BoundToADialogsButtonItShowsItsPictureAndTip) {
  uv::ScriptedUser user;
  user.appendLines({L"click IDC_PICTURE", L"click IDOK"});
  uv::UserScope scope(user);
  ButtonDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_NE(dialog.shown, nullptr);
  EXPECT_EQ(dialog.shown->resourceId, 9101u);
  EXPECT_EQ(dialog.tip, CModuleConfiguration::GetMsg(2750));
  EXPECT_TRUE(user.empty());
}

}  // namespace
