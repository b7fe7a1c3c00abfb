// Surface dialogs shown as Qt widgets, offscreen: the manager's rows are
// drawn on their colours (the current surface yellow, an unavailable one
// red), and keys typed into the new surface's name pass its filter of
// refused characters. That every dialog shows all its controls inside it:
// QtDialogsTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include "SurfacesFixture.h"
#include "tests/module/ShowDialogInQt.h"
#include "module/surfaces/dlg_NovaPloha.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
#include "ui/DialogRunner.h"
#include "ui/Feedback.h"
#include "ui/qt/DialogView.h"
#include "tests/platform/ui/QtTestEnvironment.h"

namespace uvtest {
namespace {

int countPixels(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
  return n;
}

using QtSurfaceDialogsTest = SurfacesFixture;

TEST_F(QtSurfaceDialogsTest, TheManagersRowsAreDrawnOnTheirColours) {
  makeSurface(L"Teren");
  makeSurface(L"Bager");
  ASSERT_EQ(manager()->SetCurrentSurface(L"Teren"), 1);
  const QImage before = [&] {
    dlg_UpravljanjePlohama plain;
    return showInQt(plain);
  }();
  // A file surface whose file has gone is listed in red.
  makeUnavailable(L"Gone");
  dlg_UpravljanjePlohama dlg;
  const QImage after = showInQt(dlg);
  EXPECT_GT(countPixels(before, qRgb(255, 255, 0)), 200) << "no yellow row";
  EXPECT_EQ(countPixels(before, qRgb(255, 0, 0)), 0);
  EXPECT_GT(countPixels(after, qRgb(255, 0, 0)), 200) << "no red row";
}

TEST_F(QtSurfaceDialogsTest, KeysTypedIntoTheNameLoseTheRefusedCharactersWithABeep) {
  dlg_NovaPloha dlg;
  uv::DialogRunner runner(dlg);
  runner.initialise();
  uv::qt::DialogView view(dlg);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  QLineEdit* name = view.findChild<QLineEdit*>(QStringLiteral("IDC_NAME.text"));
  ASSERT_NE(name, nullptr);
  uv::Feedback::clearBeeps();
  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("A b#c"));
  EXPECT_EQ(name->text(), QStringLiteral("Abc"));
  EXPECT_EQ(dlg.GetDlgItem(250)->windowText(), L"Abc");
  EXPECT_EQ(uv::Feedback::beeps().size(), 2u);
  dlg.EndDialog(IDCANCEL);
}

}  // namespace
}  // namespace uvtest
