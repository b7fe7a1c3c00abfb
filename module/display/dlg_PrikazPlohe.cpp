#include "module/display/dlg_PrikazPlohe.h"

namespace {
constexpr int IDC_AREA_ALL = 229;
constexpr int IDC_MESH_TRIANGLES = 232;
constexpr int IDC_DISPLAY_TEMPORARY = 234;
constexpr int IDC_GROUP = 243;
constexpr int IDC_BOUNDARY = 246;
}  // namespace

dlg_PrikazPlohe::dlg_PrikazPlohe() : CModuleDialog(IDD) {}

void dlg_PrikazPlohe::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Radio(dx, IDC_AREA_ALL, m_nArea);
  DDX_Radio(dx, IDC_MESH_TRIANGLES, m_nMeshType);
  DDX_Radio(dx, IDC_DISPLAY_TEMPORARY, m_nDisplayMode);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
  DDX_Check(dx, IDC_BOUNDARY, m_bDrawBoundary);
}
