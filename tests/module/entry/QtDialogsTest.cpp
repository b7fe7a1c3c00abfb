// The module's dialogs shown as real Qt widgets, offscreen: every
// visible control's widget lies inside its dialog, and a screenshot of each
// (uivantor2-<template>.png in the build folder) is saved for a person to
// look at.
#include <gtest/gtest.h>

#include "ModuleFixture.h"
#include "tests/module/ShowDialogInQt.h"
#include "module/breaklines/dlg_LinijaLomaTerena.h"
#include "module/contours/dlg_Slojnice.h"
#include "module/contours/dlg_SlojniceOznacavanje.h"
#include "module/display/dlg_PrikazPlohe.h"
#include "module/display/dlg_PromjenaDiagonale.h"
#include "module/points/dlg_UcitavanjeTocaka.h"
#include "module/projection/dlg_Projekcija.h"
#include "module/surfaces/dlg_Konverzija.h"
#include "module/surfaces/dlg_NovaPloha.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
#include "module/surfaces/dlg_UredjivanjePlohe.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "tests/platform/ui/QtTestEnvironment.h"

namespace uvtest {
namespace {

using QtDialogsTest = ModuleFixture;

template <class Dialog>
void showAndCheck() {
  Dialog dialog;
  showInQt(dialog);
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
  showAndCheck<dlg_NovaPloha>();
  dlg_UredjivanjePlohe properties;
  properties.SetSurfaceManager(CKVLSurfaceManager::Instance(0));
  properties.SetSurfaceDescription(CKVLSurfaceManager::Instance(0)->GetSurfaceDescription(L"Teren"));
  showInQt(properties);
}

}  // namespace
}  // namespace uvtest
