#include "module/surfaces/dlg_UpravljanjePlohama.h"

#include "product/engine/CKVLSurfaceManager.h"

dlg_UpravljanjePlohama::dlg_UpravljanjePlohama() : CModuleDialog(IDD) {}

dlg_UpravljanjePlohama::~dlg_UpravljanjePlohama() {
  if (m_pSurfaceManager) m_pSurfaceManager->Save();
}
