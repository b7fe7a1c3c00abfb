#include "module/breaklines/dlg_LinijaLomaTerena.h"

#include "db/AcDbObjectId.h"
#include "db/ResbufChain.h"
#include "ed/EdSelection.h"
#include "module/components/EditorCommandScope.h"
#include "module/components/SurfaceList.h"
#include "module/points/ElementSample.h"
#include "module/points/LayerList.h"
#include "module/points/StatusBarProgress.h"
#include "product/cadwrapper/CKVLC2dPolylinePtr.h"
#include "product/cadwrapper/CKVLC3dPolylinePtr.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/AfxWin.h"
#include "ui/Feedback.h"

namespace {

constexpr UINT IDC_FRAME = 202;
constexpr UINT IDC_TYPES_HEADING = 203;
constexpr UINT IDC_LAYERS_HEADING = 204;
constexpr UINT IDC_LAYERS = 206;
constexpr UINT IDC_SURFACES = 207;
constexpr UINT IDC_TYPES_FROM_SAMPLE = 210;
constexpr UINT IDC_LAYERS_FROM_SAMPLE = 211;
constexpr UINT IDC_SURFACE_LABEL = 214;
constexpr UINT IDC_CHECK_ALL = 215;
constexpr UINT IDC_UNCHECK_ALL = 216;
constexpr UINT IDC_TYPES_FRAME = 227;
constexpr UINT IDC_SET = 228;

// The type list's mask: LINE, LWPOLYLINE and POLYLINE (2D and 3D).
constexpr unsigned kBreakLineTypes = 0x1D;

// The vertices of a line or polyline, in order; empty for anything else or
// an entity that cannot be opened.
AcGePoint3dArray VerticesOf(AcDbObjectId id) {
  AcGePoint3dArray vertices;
  if (CKVLCLinePtr line(id); line.isOpen()) {
    vertices.append(line->startPoint());
    vertices.append(line->endPoint());
  } else if (CKVLCPolylineLWPtr lw(id); lw.isOpen()) {
    lw.getVertexPoints(vertices);
  } else if (CKVLC2dPolylinePtr p2(id); p2.isOpen()) {
    p2.getVertexPoints(vertices);
  } else if (CKVLC3dPolylinePtr p3(id); p3.isOpen()) {
    p3.getVertexPoints(vertices);
  }
  return vertices;
}

}  // namespace

BEGIN_MESSAGE_MAP(dlg_LinijaLomaTerena, CModuleDialog)
  ON_BN_CLICKED(IDC_TYPES_FROM_SAMPLE, &dlg_LinijaLomaTerena::OnTypesFromSample)
  ON_BN_CLICKED(IDC_LAYERS_FROM_SAMPLE, &dlg_LinijaLomaTerena::OnLayersFromSample)
  ON_BN_CLICKED(IDC_CHECK_ALL, &dlg_LinijaLomaTerena::OnCheckAll)
  ON_BN_CLICKED(IDC_UNCHECK_ALL, &dlg_LinijaLomaTerena::OnUncheckAll)
  ON_BN_CLICKED(IDC_SET, &dlg_LinijaLomaTerena::ApplyBreakLines)
END_MESSAGE_MAP()

dlg_LinijaLomaTerena::dlg_LinijaLomaTerena() : CModuleDialog(IDD, CloseSaves::kYes) {}

void dlg_LinijaLomaTerena::DoDataExchange(CDataExchange* pDX) {
  CModuleDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_LAYERS, m_layers);
  DDX_Control(pDX, IDC_SURFACES, m_surfaces);
  DDX_Control(pDX, IDC_SET, m_set);
  DDX_Control(pDX, IDC_TYPES_FROM_SAMPLE, m_typesFromSample);
  DDX_Control(pDX, IDC_CHECK_ALL, m_checkAll);
  DDX_Control(pDX, IDC_UNCHECK_ALL, m_uncheckAll);
  DDX_Control(pDX, IDC_LAYERS_FROM_SAMPLE, m_layersFromSample);
}

BOOL dlg_LinijaLomaTerena::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  SetWindowText(CModuleConfiguration::GetMsg(4983));
  SetDlgItemText(IDC_SURFACE_LABEL, CModuleConfiguration::GetMsg(4984));
  SetDlgItemText(IDCLOSE, CModuleConfiguration::GetMsg(60));
  SetDlgItemText(IDCANCEL, CModuleConfiguration::GetMsg(67));
  SetDlgItemText(IDHELP, CModuleConfiguration::GetMsg(50156));
  SetDlgItemText(IDC_FRAME, CModuleConfiguration::GetMsg(7748));
  SetDlgItemText(IDC_TYPES_HEADING, CModuleConfiguration::GetMsg(7749));
  SetDlgItemText(IDC_LAYERS_HEADING, CModuleConfiguration::GetMsg(7750));
  if (CWnd* help = GetDlgItem(IDHELP)) {
    help->ShowWindow(SW_HIDE);
    help->EnableWindow(FALSE);
  }

  m_set.SetWindowText(CModuleConfiguration::GetMsg(7757));
  m_set.SetBitmapImage(204);
  m_set.SetToolTipMessage(7756);
  m_typesFromSample.SetBitmapImage(204);
  m_typesFromSample.SetToolTipMessage(7759);
  m_checkAll.SetBitmapImage(203);
  m_uncheckAll.SetBitmapImage(202);
  m_layersFromSample.SetBitmapImage(204);
  m_layersFromSample.SetToolTipMessage(7760);

  if (uv::FillSurfaceList(m_surfaces, m_pSurfaceManager) == 0) {
    // Nothing to add break lines to; the dialog still finishes its set-up.
    AfxMessageBox(CModuleConfiguration::GetMsg(4987), MB_OK);
    EndDialog(IDCLOSE);
  }
  uv::FillLayerList(m_layers);

  CRect frame;
  GetDlgItem(IDC_TYPES_FRAME)->GetWindowRect(&frame);
  ScreenToClient(&frame);
  m_types.SetTypeMask(kBreakLineTypes);
  m_types.CreateTree(this, frame);
  return TRUE;
}

void dlg_LinijaLomaTerena::OnCheckAll() { m_types.CheckAll(); }

void dlg_LinijaLomaTerena::OnUncheckAll() { m_types.UncheckAll(); }

void dlg_LinijaLomaTerena::OnTypesFromSample() {
  uv::EditorCommandScope hidden(*this);
  uv::ElementSample sample;
  if (uv::PickSample(uv::SampleKinds::kLinesAndPolylines, sample)) m_types.CheckFromSample(sample.types, {});
}

void dlg_LinijaLomaTerena::OnLayersFromSample() {
  uv::EditorCommandScope hidden(*this);
  uv::ElementSample sample;
  if (uv::PickSample(uv::SampleKinds::kLinesAndPolylines, sample)) uv::SelectLayers(m_layers, sample.layers);
}

void dlg_LinijaLomaTerena::ApplyBreakLines() {
  uv::EditorCommandScope hidden(*this);
  uv::ResbufChain filter(m_types.BuildSelectionFilter());
  CStringArray layers;
  uv::SelectedLayers(m_layers, layers);
  filter.append(uv::BuildLayerClause(layers));

  uv::SelectionSetScope selection;
  if (acedSSGet(nullptr, nullptr, nullptr, filter, selection.name()) != RTNORM) return;

  CWaitCursor wait;
  AcGePoint3dArray starts, ends;
  const int count = CollectBreakSegments(selection.name(), starts, ends);
  if (count <= 0) return;
  CKVLXsurface_Vantor2* surface =
      m_pSurfaceManager && uv::HasSelectedSurface(m_surfaces) ? m_pSurfaceManager->OpenSurface(m_strSurfaceName) : nullptr;
  if (!surface) return;
  uv::StatusBarProgress progress(CModuleConfiguration::GetMsg(4988), 0, count);
  for (int i = 0; i < count; ++i) {
    surface->SetBreakLine(starts[i], ends[i]);
    progress.set(i);
  }
}

int dlg_LinijaLomaTerena::CollectBreakSegments(const ads_name selection, AcGePoint3dArray& starts,
                                               AcGePoint3dArray& ends) {
  starts.removeAll();
  ends.removeAll();
  Adesk::Int32 length = 0;
  if (acedSSLength(selection, &length) != RTNORM) return 0;
  for (Adesk::Int32 k = 0; k < length; ++k) {
    ads_name name;
    AcDbObjectId id;
    if (acedSSName(selection, k, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk) continue;
    const AcGePoint3dArray vertices = VerticesOf(id);
    for (int i = 0; i + 1 < vertices.length(); ++i) {
      starts.append(vertices[i]);
      ends.append(vertices[i + 1]);
    }
  }
  return starts.length();
}
