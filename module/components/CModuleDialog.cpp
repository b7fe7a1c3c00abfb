#include "module/components/CModuleDialog.h"

#include "module/components/SurfaceSaving.h"
#include "product/engine/CKVLSurfaceManager.h"

BEGIN_MESSAGE_MAP(CModuleDialog, CAcUiDialog)
  ON_BN_CLICKED(IDCLOSE, &CModuleDialog::OnBnClickedClose)
  ON_MESSAGE(WM_ACAD_KEEPFOCUS, &CModuleDialog::OnAcadKeepFocus)
END_MESSAGE_MAP()

CModuleDialog::CModuleDialog(UINT templateId, CloseSaves closeSaves)
    : CAcUiDialog(templateId), m_pSurfaceManager(CKVLSurfaceManager::Instance(0)), m_closeSaves(closeSaves) {}

void CModuleDialog::OnBnClickedClose() {
  if (m_closeSaves == CloseSaves::kYes) uv::SaveSurfaces(m_pSurfaceManager);
  EndDialog(IDCLOSE);
}

LRESULT CModuleDialog::OnAcadKeepFocus(WPARAM, LPARAM) { return TRUE; }
