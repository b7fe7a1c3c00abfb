#include "module/contours/dlg_Slojnice.h"

namespace {
constexpr int IDC_MAJOR_AUTOMATIC = 261;
constexpr int IDC_MINOR_AUTOMATIC = 270;
constexpr int IDC_DRAW_AT_ZERO = 268;
constexpr int IDC_GROUP = 243;
constexpr int IDC_DRAW_MINOR = 269;
}  // namespace

dlg_Slojnice::dlg_Slojnice() : CModuleDialog(IDD) {}

void dlg_Slojnice::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Radio(dx, IDC_MAJOR_AUTOMATIC, m_nMajorMode);
  DDX_Radio(dx, IDC_MINOR_AUTOMATIC, m_nMinorMode);
  DDX_Check(dx, IDC_DRAW_AT_ZERO, m_bDrawAtZero);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
  DDX_Check(dx, IDC_DRAW_MINOR, m_bDrawMinor);
}
