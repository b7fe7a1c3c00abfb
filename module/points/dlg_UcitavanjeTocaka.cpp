#include "module/points/dlg_UcitavanjeTocaka.h"

#include "product/engine/CKVLSurfaceManager.h"

BEGIN_MESSAGE_MAP(dlg_UcitavanjeTocaka, CAcUiTabMainDialog)
  ON_BN_CLICKED(IDCLOSE, &dlg_UcitavanjeTocaka::OnBnClickedClose)
END_MESSAGE_MAP()

// The one dialog that asks the manager to look at the surface files again:
// it is about to add data to a surface.
dlg_UcitavanjeTocaka::dlg_UcitavanjeTocaka()
    : CAcUiTabMainDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(1)) {}

void dlg_UcitavanjeTocaka::OnBnClickedClose() {
  EndDialog(IDCLOSE);
  if (m_pSurfaceManager) m_pSurfaceManager->Save();
}
