// A module dialog shown as real Qt widgets, offscreen: every visible control's
// widget must lie inside the dialog. The picture is returned and kept as
// uivantor2-<template>.png in the build folder, for a person to look at.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/TextCase.h"
#include "ui/CDialog.h"
#include "ui/DialogRunner.h"
#include "ui/qt/DialogView.h"

namespace uvtest {

inline QImage showInQt(CDialog& dialog) {
  uv::DialogRunner runner(dialog);
  runner.initialise();
  uv::qt::DialogView view(dialog);
  view.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
  const QRect inside(QPoint(0, 0), view.size());
  for (CWnd* control : dialog.children()) {
    if (!control->IsWindowVisible()) continue;
    QWidget* widget = view.widgetOf(*control);
    if (!widget) {
      ADD_FAILURE() << "no widget for " << uv::toUtf8(control->controlName());
      continue;
    }
    const QRect where(widget->mapTo(&view, QPoint(0, 0)), widget->size());
    EXPECT_TRUE(inside.contains(where)) << dialog.templateId() << " " << uv::toUtf8(control->controlName());
  }
  QImage shot = view.grab().toImage();
  EXPECT_FALSE(shot.isNull()) << dialog.templateId();
  const char* build = std::getenv("UV_BUILD_DIR");
  const std::filesystem::path folder = build ? build : std::filesystem::temp_directory_path();
  EXPECT_TRUE(shot.save(
      QString::fromStdString((folder / ("uivantor2-" + std::to_string(dialog.templateId()) + ".png")).string())));
  dialog.EndDialog(IDCANCEL);
  return shot;
}

}  // namespace uvtest
