#include "module/surfaces/dlg_Konverzija.h"

#include "product/engine/CKVLSurfaceManager.h"

namespace {
constexpr int IDC_ERASE_OLD = 258;
}

BEGIN_MESSAGE_MAP(dlg_Konverzija, CAcUiDialog)
  ON_BN_CLICKED(IDCLOSE, &dlg_Konverzija::OnBnClickedClose)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_Konverzija::OnAcadKeepFocus)
END_MESSAGE_MAP()

dlg_Konverzija::dlg_Konverzija() : CAcUiDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)) {}

void dlg_Konverzija::DoDataExchange(CDataExchange* dx) {
  CAcUiDialog::DoDataExchange(dx);
  DDX_Check(dx, IDC_ERASE_OLD, m_bEraseOld);
}

void dlg_Konverzija::OnBnClickedClose() {
  if (m_pSurfaceManager) m_pSurfaceManager->Save();
  EndDialog(IDCLOSE);
}

LRESULT dlg_Konverzija::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
