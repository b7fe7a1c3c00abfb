#include "module/display/dlg_PrikazPlohe.h"

#include "product/engine/CKVLSurfaceManager.h"

namespace {
constexpr int IDC_AREA_ALL = 229;
constexpr int IDC_MESH_TRIANGLES = 232;
constexpr int IDC_DISPLAY_TEMPORARY = 234;
constexpr int IDC_GROUP = 243;
constexpr int IDC_BOUNDARY = 246;
}  // namespace

BEGIN_MESSAGE_MAP(dlg_PrikazPlohe, CAcUiDialog)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_PrikazPlohe::OnAcadKeepFocus)
END_MESSAGE_MAP()

dlg_PrikazPlohe::dlg_PrikazPlohe() : CAcUiDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)) {}

void dlg_PrikazPlohe::DoDataExchange(CDataExchange* dx) {
  CAcUiDialog::DoDataExchange(dx);
  DDX_Radio(dx, IDC_AREA_ALL, m_nArea);
  DDX_Radio(dx, IDC_MESH_TRIANGLES, m_nMeshType);
  DDX_Radio(dx, IDC_DISPLAY_TEMPORARY, m_nDisplayMode);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
  DDX_Check(dx, IDC_BOUNDARY, m_bDrawBoundary);
}

LRESULT dlg_PrikazPlohe::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
