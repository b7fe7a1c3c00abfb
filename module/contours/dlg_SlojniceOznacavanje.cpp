#include "module/contours/dlg_SlojniceOznacavanje.h"

namespace {
constexpr int IDC_GROUP = 243;
}

dlg_SlojniceOznacavanje::dlg_SlojniceOznacavanje() : CModuleDialog(IDD) {}

void dlg_SlojniceOznacavanje::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
}
