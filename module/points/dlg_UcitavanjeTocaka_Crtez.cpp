#include "module/points/dlg_UcitavanjeTocaka_Crtez.h"

#include "db/AcDbObjectId.h"
#include "db/ResbufChain.h"
#include "ed/EdSelection.h"
#include "module/components/SurfaceList.h"
#include "module/points/ElementSample.h"
#include "module/points/EntityFilter.h"
#include "module/points/EntityPoints.h"
#include "module/points/LayerList.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "ui/AfxWin.h"
#include "ui/Feedback.h"

namespace {

constexpr UINT IDC_LAYERS = 206;
constexpr UINT IDC_SURFACES = 207;
constexpr UINT IDC_ADD = 208;
constexpr UINT IDC_REPLACE = 209;
constexpr UINT IDC_TYPES_FROM_SAMPLE = 210;
constexpr UINT IDC_LAYERS_FROM_SAMPLE = 211;
constexpr UINT IDC_CHECK_ALL = 215;
constexpr UINT IDC_UNCHECK_ALL = 216;
constexpr UINT IDC_TYPES_FRAME = 227;

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
  DDX_Control(pDX, IDC_LAYERS, m_layers);
  DDX_Control(pDX, IDC_SURFACES, m_surfaces);
  DDX_Control(pDX, IDC_ADD, m_add);
  DDX_Control(pDX, IDC_REPLACE, m_replace);
  DDX_Control(pDX, IDC_TYPES_FROM_SAMPLE, m_typesFromSample);
  DDX_Control(pDX, IDC_CHECK_ALL, m_checkAll);
  DDX_Control(pDX, IDC_UNCHECK_ALL, m_uncheckAll);
  DDX_Control(pDX, IDC_LAYERS_FROM_SAMPLE, m_layersFromSample);
}

BOOL dlg_UcitavanjeTocaka_Crtez::OnInitDialog() {
  CAcUiTabChildDialog::OnInitDialog();

  m_replace.SetBitmapImage(204);
  m_replace.SetToolTipMessage(7753);
  m_add.SetBitmapImage(204);
  m_add.SetToolTipMessage(7754);
  m_typesFromSample.SetBitmapImage(204);
  m_typesFromSample.SetToolTipMessage(7759);
  m_checkAll.SetBitmapImage(203);
  m_uncheckAll.SetBitmapImage(202);
  m_layersFromSample.SetBitmapImage(204);
  m_layersFromSample.SetToolTipMessage(7760);

  uv::FillSurfaceList(m_surfaces, m_pSurfaceManager);
  uv::FillLayerList(m_layers);

  CRect frame;
  GetDlgItem(IDC_TYPES_FRAME)->GetWindowRect(&frame);
  ScreenToClient(&frame);
  m_types.CreateTree(this, frame);
  return TRUE;
}

void dlg_UcitavanjeTocaka_Crtez::OnCheckAll() { m_types.CheckAll(); }

void dlg_UcitavanjeTocaka_Crtez::OnUncheckAll() { m_types.UncheckAll(); }

void dlg_UcitavanjeTocaka_Crtez::OnTypesFromSample() {
  DialogOutOfTheWay hidden(GetParent());
  uv::ElementSample sample;
  if (uv::PickSample(uv::SampleKinds::kAll, sample)) m_types.CheckFromSample(sample.types, sample.blocks);
}

void dlg_UcitavanjeTocaka_Crtez::OnLayersFromSample() {
  DialogOutOfTheWay hidden(GetParent());
  uv::ElementSample sample;
  if (uv::PickSample(uv::SampleKinds::kAll, sample)) uv::SelectLayers(m_layers, sample.layers);
}

void dlg_UcitavanjeTocaka_Crtez::AddToSurface() { LoadIntoSurface(Target::kAdd); }

void dlg_UcitavanjeTocaka_Crtez::ReplaceOnSurface() { LoadIntoSurface(Target::kReplace); }

void dlg_UcitavanjeTocaka_Crtez::LoadIntoSurface(Target target) {
  DialogOutOfTheWay hidden(GetParent());
  uv::ResbufChain filter(uv::BuildEntityFilter(m_types, m_layers));

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
  rules.textElevation = m_types.TakesTextElevation();
  m_types.GetBlockAttributeMap(rules.blockTags);

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
