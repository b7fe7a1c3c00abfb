// The module's nine dialogs shown as real Qt widgets, offscreen: every
// visible control's widget lies inside its dialog, and a screenshot of each
// (uivantor2-<template>.png in the build folder) is saved for a person to
// look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "ModuleFixture.h"
#include "base/TextCase.h"
#include "module/breaklines/dlg_LinijaLomaTerena.h"
#include "module/contours/dlg_Slojnice.h"
#include "module/contours/dlg_SlojniceOznacavanje.h"
#include "module/display/dlg_PrikazPlohe.h"
#include "module/display/dlg_PromjenaDiagonale.h"
#include "module/points/dlg_UcitavanjeTocaka.h"
#include "module/projection/dlg_Projekcija.h"
#include "module/surfaces/dlg_Konverzija.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "ui/DialogRunner.h"
#include "ui/qt/DialogView.h"
#include "tests/platform/ui/QtTestEnvironment.h"

namespace uvtest {
namespace {

std::filesystem::path screenshotFolder() {
  const char* build = std::getenv("UV_BUILD_DIR");
  return build ? std::filesystem::path(build) : std::filesystem::temp_directory_path();
}

using QtDialogsTest = ModuleFixture;

template <class Dialog>
void showAndCheck() {
  Dialog dialog;
  uv::DialogRunner runner(dialog);
  runner.initialise();
  uv::qt::DialogView view(dialog);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  const QRect inside(QPoint(0, 0), view.size());
  for (CWnd* control : dialog.children()) {
    if (!control->IsWindowVisible()) continue;
    QWidget* widget = view.widgetOf(*control);
    ASSERT_NE(widget, nullptr) << uv::toUtf8(control->controlName());
    const QRect where(widget->mapTo(&view, QPoint(0, 0)), widget->size());
    EXPECT_TRUE(inside.contains(where)) << dialog.templateId() << " " << uv::toUtf8(control->controlName());
  }
  QImage shot = view.grab().toImage();
  ASSERT_FALSE(shot.isNull());
  const auto file = screenshotFolder() / ("uivantor2-" + std::to_string(dialog.templateId()) + ".png");
  EXPECT_TRUE(shot.save(QString::fromStdString(file.string())));
  dialog.EndDialog(IDCANCEL);
}

TEST_F(QtDialogsTest, EveryDialogShowsAllItsControlsInsideIt) {
  // Dialogs that work on a surface open only when the drawing has one.
  ASSERT_NE(CKVLSurfaceManager::Instance(0)->CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr,
                                                           false),
            nullptr);
  showAndCheck<dlg_UcitavanjeTocaka>();
  showAndCheck<dlg_PromjenaDiagonale>();
  showAndCheck<dlg_LinijaLomaTerena>();
  showAndCheck<dlg_PrikazPlohe>();
  showAndCheck<dlg_Projekcija>();
  showAndCheck<dlg_UpravljanjePlohama>();
  showAndCheck<dlg_Konverzija>();
  showAndCheck<dlg_Slojnice>();
  showAndCheck<dlg_SlojniceOznacavanje>();
}

}  // namespace
}  // namespace uvtest
