#include "module/display/dlg_PromjenaDiagonale.h"

#include "ed/EdPrint.h"
#include "module/components/EditorCommandScope.h"
#include "module/components/SurfaceList.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CSwapTringleSelection.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/AfxWin.h"

namespace {

constexpr UINT IDC_SWAP = 201;
constexpr UINT IDC_SURFACES = 207;
constexpr UINT IDC_SURFACE_LABEL = 214;

}  // namespace

BEGIN_MESSAGE_MAP(dlg_PromjenaDiagonale, CModuleDialog)
  ON_BN_CLICKED(IDC_SWAP, &dlg_PromjenaDiagonale::OnSwap)
END_MESSAGE_MAP()

dlg_PromjenaDiagonale::dlg_PromjenaDiagonale() : CModuleDialog(IDD, CloseSaves::kYes) {}

void dlg_PromjenaDiagonale::DoDataExchange(CDataExchange* pDX) {
  CModuleDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SURFACES, m_surfaces);
}

BOOL dlg_PromjenaDiagonale::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  SetWindowText(CModuleConfiguration::GetMsg(6274));
  SetDlgItemText(IDC_SURFACE_LABEL, CModuleConfiguration::GetMsg(4984));
  SetDlgItemText(IDC_SWAP, CModuleConfiguration::GetMsg(6275));
  SetDlgItemText(IDCLOSE, CModuleConfiguration::GetMsg(8));
  SetDlgItemText(IDCANCEL, CModuleConfiguration::GetMsg(67));
  SetDlgItemText(IDHELP, CModuleConfiguration::GetMsg(50156));
  if (uv::FillSurfaceList(m_surfaces, m_pSurfaceManager) == 0) {
    AfxMessageBox(CModuleConfiguration::GetMsg(4987), MB_OK);
    EndDialog(IDCLOSE);
  }
  return TRUE;
}

void dlg_PromjenaDiagonale::OnSwap() {
  uv::EditorCommandScope hidden(*this);
  if (!m_pSurfaceManager || !uv::HasSelectedSurface(m_surfaces)) return;
  CKVLXsurface_Vantor2* surface = m_pSurfaceManager->OpenSurface(m_strSurfaceName);
  if (!surface) return;
  Vantor2_UserSelection::CSwapTringleSelection selection;
  selection.Surface(surface);
  CKVLTriangle* t1 = nullptr;
  CKVLTriangle* t2 = nullptr;
  while (selection.Select(t1, t2) == 1) {
    if (!t1 || !t2) continue;  // a pick off the surface
    if (t1 == t2) acutPrintf(L"\n%s", CModuleConfiguration::GetMsg(6276).GetString());
    else surface->SwapTringles(t1, t2);
  }
}
