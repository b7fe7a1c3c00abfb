#include "module/points/dlg_UcitavanjeTocaka_Crtez.h"

#include "db/AcDbObjectId.h"
#include "db/ResbufChain.h"
#include "ed/EdSelection.h"
#include "module/components/SurfaceList.h"
#include "module/points/EntityPoints.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "ui/AfxWin.h"
#include "ui/Feedback.h"

namespace {

constexpr UINT IDC_SURFACES = 207;
constexpr UINT IDC_ADD = 208;
constexpr UINT IDC_REPLACE = 209;
constexpr UINT IDC_TYPES_FROM_SAMPLE = 210;
constexpr UINT IDC_LAYERS_FROM_SAMPLE = 211;
constexpr UINT IDC_CHECK_ALL = 215;
constexpr UINT IDC_UNCHECK_ALL = 216;

// The load-points dialog out of the way while the user works in the
// drawing: the host's main window takes the input, the dialog hides; on
// the way out the dialog comes back, modal again, with the focus.
class DialogOutOfTheWay {
 public:
  explicit DialogOutOfTheWay(CWnd* dialog) : m_dialog(dialog) {
    CWnd* main = acedGetAcadFrame();
    main->EnableWindow(TRUE);
    if (m_dialog) m_dialog->ShowWindow(SW_HIDE);
    main->SetFocus();
  }
  ~DialogOutOfTheWay() {
    if (m_dialog) m_dialog->ShowWindow(SW_SHOW);
    acedGetAcadFrame()->EnableWindow(FALSE);
    if (m_dialog) {
      m_dialog->EnableWindow(TRUE);
      m_dialog->SetFocus();
    }
  }
  DialogOutOfTheWay(const DialogOutOfTheWay&) = delete;
  DialogOutOfTheWay& operator=(const DialogOutOfTheWay&) = delete;

 private:
  CWnd* m_dialog;
};

}  // namespace

BEGIN_MESSAGE_MAP(dlg_UcitavanjeTocaka_Crtez, CAcUiTabChildDialog)
  ON_BN_CLICKED(IDC_TYPES_FROM_SAMPLE, &dlg_UcitavanjeTocaka_Crtez::OnTypesFromSample)
  ON_BN_CLICKED(IDC_LAYERS_FROM_SAMPLE, &dlg_UcitavanjeTocaka_Crtez::OnLayersFromSample)
  ON_BN_CLICKED(IDC_CHECK_ALL, &dlg_UcitavanjeTocaka_Crtez::OnCheckAll)
  ON_BN_CLICKED(IDC_UNCHECK_ALL, &dlg_UcitavanjeTocaka_Crtez::OnUncheckAll)
  ON_BN_CLICKED(IDC_ADD, &dlg_UcitavanjeTocaka_Crtez::AddToSurface)
  ON_BN_CLICKED(IDC_REPLACE, &dlg_UcitavanjeTocaka_Crtez::ReplaceOnSurface)
END_MESSAGE_MAP()

dlg_UcitavanjeTocaka_Crtez::dlg_UcitavanjeTocaka_Crtez() = default;

void dlg_UcitavanjeTocaka_Crtez::SetSurfaceManager(CKVLSurfaceManager* pManager, const CString& strSurfaceName) {
  m_pSurfaceManager = pManager;
  m_strSurfaceName = strSurfaceName;
}

void dlg_UcitavanjeTocaka_Crtez::DoDataExchange(CDataExchange* pDX) {
  CAcUiTabChildDialog::DoDataExchange(pDX);
  m_filter.Bind(pDX);
  DDX_Control(pDX, IDC_SURFACES, m_surfaces);
  DDX_Control(pDX, IDC_ADD, m_add);
  DDX_Control(pDX, IDC_REPLACE, m_replace);
}

BOOL dlg_UcitavanjeTocaka_Crtez::OnInitDialog() {
  CAcUiTabChildDialog::OnInitDialog();

  m_replace.SetBitmapImage(204);
  m_replace.SetToolTipMessage(7753);
  m_add.SetBitmapImage(204);
  m_add.SetToolTipMessage(7754);

  uv::FillSurfaceList(m_surfaces, m_pSurfaceManager);
  m_filter.Create(this);
  return TRUE;
}

void dlg_UcitavanjeTocaka_Crtez::OnCheckAll() { m_filter.CheckAll(); }

void dlg_UcitavanjeTocaka_Crtez::OnUncheckAll() { m_filter.UncheckAll(); }

void dlg_UcitavanjeTocaka_Crtez::OnTypesFromSample() {
  DialogOutOfTheWay hidden(GetParent());
  m_filter.TypesFromSample();
}

void dlg_UcitavanjeTocaka_Crtez::OnLayersFromSample() {
  DialogOutOfTheWay hidden(GetParent());
  m_filter.LayersFromSample();
}

void dlg_UcitavanjeTocaka_Crtez::AddToSurface() { LoadIntoSurface(Target::kAdd); }

void dlg_UcitavanjeTocaka_Crtez::ReplaceOnSurface() { LoadIntoSurface(Target::kReplace); }

void dlg_UcitavanjeTocaka_Crtez::LoadIntoSurface(Target target) {
  DialogOutOfTheWay hidden(GetParent());
  uv::ResbufChain filter(m_filter.BuildSelectionFilter());

  uv::SelectionSetScope selection;
  if (acedSSGet(nullptr, nullptr, nullptr, filter, selection.name()) != RTNORM) return;

  CWaitCursor wait;
  CUniquePointSet points;
  if (TakePointsFromEntities(selection.name(), points) <= 0) return;
  CKVLXsurface_Vantor2* surface = OpenTargetSurface();
  if (!surface) return;
  if (target == Target::kAdd) surface->AddPoints(points);
  else surface->SetPoints(points);
}

int dlg_UcitavanjeTocaka_Crtez::TakePointsFromEntities(const ads_name selection, CUniquePointSet& points) {
  points.Clean();
  uv::EntityPointRules rules;
  rules.textElevation = m_filter.Types().TakesTextElevation();
  m_filter.Types().GetBlockAttributeMap(rules.blockTags);

  Adesk::Int32 length = 0;
  if (acedSSLength(selection, &length) != RTNORM) return points.Size();
  for (Adesk::Int32 i = 0; i < length; ++i) {
    ads_name name;
    AcDbObjectId id;
    if (acedSSName(selection, i, name) == RTNORM && acdbGetObjectId(id, name) == Acad::eOk)
      uv::AddEntityPoints(id, rules, points);
  }
  return points.Size();
}

CKVLXsurface_Vantor2* dlg_UcitavanjeTocaka_Crtez::OpenTargetSurface() {
  if (!m_pSurfaceManager || !uv::HasSelectedSurface(m_surfaces)) return nullptr;
  if (CKVLXsurface_Vantor2* surface = m_pSurfaceManager->OpenSurface(m_strSurfaceName)) return surface;
  return m_pSurfaceManager->CreateSurface(m_strSurfaceName, CKVLSurfaceManager::kDrawingStorage, nullptr, false);
}
