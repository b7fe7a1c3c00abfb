#include "module/contours/dlg_SlojniceOznacavanje.h"

#include "product/engine/CKVLSurfaceManager.h"

namespace {
constexpr int IDC_GROUP = 243;
}

BEGIN_MESSAGE_MAP(dlg_SlojniceOznacavanje, CAcUiDialog)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_SlojniceOznacavanje::OnAcadKeepFocus)
END_MESSAGE_MAP()

dlg_SlojniceOznacavanje::dlg_SlojniceOznacavanje()
    : CAcUiDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)) {}

void dlg_SlojniceOznacavanje::DoDataExchange(CDataExchange* dx) {
  CAcUiDialog::DoDataExchange(dx);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
}

LRESULT dlg_SlojniceOznacavanje::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
