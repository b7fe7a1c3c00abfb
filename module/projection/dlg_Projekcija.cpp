#include "module/projection/dlg_Projekcija.h"

#include "product/engine/CKVLSurfaceManager.h"

BEGIN_MESSAGE_MAP(dlg_Projekcija, CAcUiDialog)
  ON_BN_CLICKED(IDCLOSE, &dlg_Projekcija::OnBnClickedClose)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_Projekcija::OnAcadKeepFocus)
END_MESSAGE_MAP()

dlg_Projekcija::dlg_Projekcija() : CAcUiDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)) {}

void dlg_Projekcija::OnBnClickedClose() { EndDialog(IDCLOSE); }

LRESULT dlg_Projekcija::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
