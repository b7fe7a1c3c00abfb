#include "module/points/dlg_UcitavanjeTocaka.h"

#include "module/components/SurfaceSaving.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {
constexpr UINT IDC_PAGES = 204;
}

BEGIN_MESSAGE_MAP(dlg_UcitavanjeTocaka, CAcUiTabMainDialog)
  ON_BN_CLICKED(IDCLOSE, &dlg_UcitavanjeTocaka::OnBnClickedClose)
END_MESSAGE_MAP()

// The one dialog that asks the manager to look at the surface files again:
// it is about to add data to a surface.
dlg_UcitavanjeTocaka::dlg_UcitavanjeTocaka()
    : CAcUiTabMainDialog(IDD), m_pSurfaceManager(CKVLSurfaceManager::Instance(1)) {}

void dlg_UcitavanjeTocaka::DoDataExchange(CDataExchange* pDX) {
  CAcUiTabMainDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PAGES, m_tab);
}

BOOL dlg_UcitavanjeTocaka::OnInitDialog() {
  CAcUiTabMainDialog::OnInitDialog();
  SetWindowText(CModuleConfiguration::GetMsg(5005));
  SetDlgItemText(IDCLOSE, CModuleConfiguration::GetMsg(60));
  SetDlgItemText(IDCANCEL, CModuleConfiguration::GetMsg(67));
  SetDlgItemText(IDHELP, CModuleConfiguration::GetMsg(50156));

  // Each page keeps its own copy of the name.
  m_drawingPage.SetSurfaceManager(m_pSurfaceManager, m_strSurfaceName);
  m_textPage.SetSurfaceManager(m_pSurfaceManager, m_strSurfaceName);
  SetAcadTabPointer(&m_tab);
  m_tab.AddTab(0, 5006, dlg_UcitavanjeTocaka_Crtez::IDD, &m_drawingPage);
  m_tab.AddTab(1, 5007, dlg_UcitavanjeTocaka_Txt::IDD, &m_textPage);
  return TRUE;
}

void dlg_UcitavanjeTocaka::OnBnClickedClose() {
  EndDialog(IDCLOSE);
  uv::SaveSurfaces(m_pSurfaceManager);
}
