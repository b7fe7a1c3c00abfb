#include "module/display/dlg_PromjenaDiagonale.h"

#include "product/engine/CKVLSurfaceManager.h"

BEGIN_MESSAGE_MAP(dlg_PromjenaDiagonale, CAcUiDialog)
  ON_BN_CLICKED(IDCLOSE, &dlg_PromjenaDiagonale::OnBnClickedClose)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_PromjenaDiagonale::OnAcadKeepFocus)
END_MESSAGE_MAP()

dlg_PromjenaDiagonale::dlg_PromjenaDiagonale()
    : CAcUiDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)) {}

void dlg_PromjenaDiagonale::OnBnClickedClose() {
  if (m_pSurfaceManager) m_pSurfaceManager->Save();
  EndDialog(IDCLOSE);
}

LRESULT dlg_PromjenaDiagonale::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
