#include "module/entry/Commands.h"

#include "ed/ResourceHandleScope.h"
#include "module/breaklines/dlg_LinijaLomaTerena.h"
#include "module/contours/dlg_Slojnice.h"
#include "module/contours/dlg_SlojniceOznacavanje.h"
#include "module/display/dlg_PrikazPlohe.h"
#include "module/display/dlg_PromjenaDiagonale.h"
#include "module/entry/CExtensionModule.h"
#include "module/entry/PreselectedSurface.h"
#include "module/points/dlg_UcitavanjeTocaka.h"
#include "module/projection/dlg_Projekcija.h"
#include "module/surfaces/dlg_Konverzija.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
#include "rx/AdsFunctions.h"

namespace uv::module {

namespace {

// The command function shared by all nine: Dialog is the dialog it runs,
// takesName whether the dialog works on the preselected surface.
template <class Dialog, bool takesName>
void runDialogCommand() {
  acedGetArgs();  // the commands take no arguments
  // Declared before the dialog, so the dialog is destroyed first and the
  // resources are popped after it, on every way out.
  ResourceHandleScope resources(g_extensionModule.Instance());
  Dialog dialog;
  if constexpr (takesName) dialog.m_strSurfaceName = g_strPreselectedSurface;
  dialog.DoModal();
}

constexpr Adesk::Int32 kFlags = ACRX_CMD_TRANSPARENT;

// The command records, in registration order.
const ArxCommandEntry kCommands[] = {
    {kCommandGroup, L"POINTS", L"POINTS", kFlags, &cmdPoints},
    {kCommandGroup, L"BREAKLINE", L"BREAKLINE", kFlags, &cmdBreakLine},
    {kCommandGroup, L"SHOW", L"SHOW", kFlags, &cmdShow},
    {kCommandGroup, L"PROJECTION", L"PROJECTION", kFlags, &cmdProjection},
    {kCommandGroup, L"SURFMAN", L"SURFMAN", kFlags, &cmdSurfMan},
    {kCommandGroup, L"CONVERT", L"CONVERT", kFlags, &cmdConvert},
    {kCommandGroup, L"SLOJNICE", L"SLOJNICE", kFlags, &cmdSlojnice},
    {kCommandGroup, L"slojniceoznake", L"slojniceoznake", kFlags, &cmdSlojniceOznake},
    {kCommandGroup, L"swap", L"swap", kFlags, &cmdSwap},
};

}  // namespace

const ArxCommandTable& commandTable() {
  static const ArxCommandTable table = [] {
    ArxCommandTable t;
    for (const ArxCommandEntry& e : kCommands) t.add(e);
    return t;
  }();
  return table;
}

void cmdPoints() { runDialogCommand<dlg_UcitavanjeTocaka, true>(); }
void cmdBreakLine() { runDialogCommand<dlg_LinijaLomaTerena, true>(); }
void cmdShow() { runDialogCommand<dlg_PrikazPlohe, true>(); }
void cmdProjection() { runDialogCommand<dlg_Projekcija, true>(); }
void cmdSurfMan() { runDialogCommand<dlg_UpravljanjePlohama, false>(); }
void cmdConvert() { runDialogCommand<dlg_Konverzija, false>(); }
void cmdSlojnice() { runDialogCommand<dlg_Slojnice, true>(); }
void cmdSlojniceOznake() { runDialogCommand<dlg_SlojniceOznacavanje, true>(); }
void cmdSwap() { runDialogCommand<dlg_PromjenaDiagonale, true>(); }

}  // namespace uv::module
