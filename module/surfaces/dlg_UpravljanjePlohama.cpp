#include "module/surfaces/dlg_UpravljanjePlohama.h"

#include "product/engine/CKVLSurfaceManager.h"

BEGIN_MESSAGE_MAP(dlg_UpravljanjePlohama, CAcUiDialog)
  ON_BN_CLICKED(IDCLOSE, &dlg_UpravljanjePlohama::OnBnClickedClose)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &dlg_UpravljanjePlohama::OnAcadKeepFocus)
END_MESSAGE_MAP()

dlg_UpravljanjePlohama::dlg_UpravljanjePlohama()
    : CAcUiDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)) {}

dlg_UpravljanjePlohama::~dlg_UpravljanjePlohama() {
  if (m_pSurfaceManager) m_pSurfaceManager->Save();
}

void dlg_UpravljanjePlohama::OnBnClickedClose() { EndDialog(IDCLOSE); }

LRESULT dlg_UpravljanjePlohama::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
