#include "module/surfaces/dlg_Konverzija.h"

namespace {
constexpr int IDC_ERASE_OLD = 258;
}

dlg_Konverzija::dlg_Konverzija() : CModuleDialog(IDD, CloseSaves::kYes) {}

void dlg_Konverzija::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Check(dx, IDC_ERASE_OLD, m_bEraseOld);
}
