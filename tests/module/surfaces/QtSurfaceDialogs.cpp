// The surface manager shown as Qt widgets, offscreen: its rows are drawn on
// their colours (the current surface yellow, an unavailable one red). That
// every dialog shows all its controls inside it: QtDialogsTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include <cstdlib>

#include "SurfacesFixture.h"
#include "tests/module/ShowDialogInQt.h"
#include "base/TextCase.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
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
  const std::wstring file = writeSurfaceFile("gone.kvb", L"Gone", L"");
  ASSERT_NE(manager()->CreateSurface(L"Gone", CKVLSurfaceManager::kFileStorage, file.c_str(), true), nullptr);
  ASSERT_TRUE(manager()->Save()) << manager()->LastError();
  std::filesystem::remove(file);
  reread();
  dlg_UpravljanjePlohama dlg;
  const QImage after = showInQt(dlg);
  EXPECT_GT(countPixels(before, qRgb(255, 255, 0)), 200) << "no yellow row";
  EXPECT_EQ(countPixels(before, qRgb(255, 0, 0)), 0);
  EXPECT_GT(countPixels(after, qRgb(255, 0, 0)), 200) << "no red row";
}

}  // namespace
}  // namespace uvtest
