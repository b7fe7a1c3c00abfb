#include "module/breaklines/dlg_LinijaLomaTerena.h"

#include "product/engine/CKVLSurfaceManager.h"

BEGIN_MESSAGE_MAP(dlg_LinijaLomaTerena, CAcUiDialog)
  ON_BN_CLICKED(IDCLOSE, &dlg_LinijaLomaTerena::OnBnClickedClose)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_LinijaLomaTerena::OnAcadKeepFocus)
END_MESSAGE_MAP()

dlg_LinijaLomaTerena::dlg_LinijaLomaTerena()
    : CAcUiDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)) {}

void dlg_LinijaLomaTerena::OnBnClickedClose() {
  if (m_pSurfaceManager) m_pSurfaceManager->Save();
  EndDialog(IDCLOSE);
}

LRESULT dlg_LinijaLomaTerena::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
