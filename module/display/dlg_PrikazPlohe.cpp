#include "module/display/dlg_PrikazPlohe.h"

#include <cmath>
#include <unistd.h>

#include "db/AcDbObjectId.h"
#include "db/resbuf.h"
#include "ed/EdInput.h"
#include "ed/SystemVariables.h"
#include "module/components/EditorCommandScope.h"
#include "module/components/SurfaceList.h"
#include "module/display/AreaPolygon.h"
#include "module/display/SurfaceDrawing.h"
#include "product/cadwrapper/CKVLC2dPolylinePtr.h"
#include "product/cadwrapper/CKVLC3dPolylinePtr.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/cadwrapper/CKVLCEdit.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/Feedback.h"

namespace {

enum : UINT {
  IDC_SURFACES = 207,
  IDC_PICK_POLYGON = 215,
  IDC_POLYGON_FROM_POLYLINE = 216,
  IDC_STEPS_FROM_RECTANGLE = 217,
  IDC_ZOOM = 218,
  IDC_AREA_ALL = 229,
  IDC_AREA_POLYGON = 230,
  IDC_AREA_VIEW = 231,
  IDC_MESH_TRIANGLES = 232,
  IDC_MESH_GRID = 233,
  IDC_DISPLAY_TEMPORARY = 234,
  IDC_DISPLAY_LINES = 235,
  IDC_STEPX = 239,
  IDC_STEPX_LABEL = 240,
  IDC_DISPLAY_FACES = 242,
  IDC_GROUP = 243,
  IDC_STEPY_LABEL = 244,
  IDC_STEPY = 245,
  IDC_BOUNDARY = 246,
};

enum : UINT {
  kMsgNoSurface = 4987,
  kMsgPolygonPoint = 584,
  kMsgPickPolyline = 5000,
  kMsgFirstCorner = 5001,
  kMsgOppositeCorner = 5002,
  kMsgReturn = 1261,
  kMsgZeroSpacing = 70200,
  kMsgTooManyCells = 70201,
};

constexpr int kCloseResult = 8;

// Bytes that one drawn grid element costs, for refusing a spacing that
// would make more of them than the machine's memory holds: an entity with
// its id in the drawing, or a temporary vector on the screen.
constexpr double kEntityBytes = 600;
constexpr double kVectorBytes = 64;

double PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && size > 0 ? double(pages) * double(size) : 1e12;
}


AcGePoint3d ToPoint(const ads_point p) { return AcGePoint3d(p[0], p[1], p[2]); }

// The vertices of the first polyline kind that the entity opens as.
bool ReadPolylineVertices(AcDbObjectId id, AcGePoint3dArray& vertices) {
  vertices.removeAll();
  if (CKVLCPolylineLWPtr lw(id); lw.isOpen()) return lw.getVertexPoints(vertices) == Acad::eOk;
  if (CKVLC2dPolylinePtr p2(id); p2.isOpen()) return p2.getVertexPoints(vertices) == Acad::eOk;
  if (CKVLC3dPolylinePtr p3(id); p3.isOpen()) return p3.getVertexPoints(vertices) == Acad::eOk;
  return false;
}

bool ReadViewRectangle(AcGePoint3dArray& rectangle) {
  resbuf centre{}, size{}, screen{};
  if (acedGetVar(L"VIEWCTR", &centre) != RTNORM || acedGetVar(L"VIEWSIZE", &size) != RTNORM ||
      acedGetVar(L"SCREENSIZE", &screen) != RTNORM)
    return false;
  if (!(screen.resval.rpoint[1] > 0)) return false;
  rectangle = uv::display::ViewRectangle(ToPoint(centre.resval.rpoint), size.resval.rreal, screen.resval.rpoint[0],
                                         screen.resval.rpoint[1]);
  return true;
}

}  // namespace

BEGIN_MESSAGE_MAP(dlg_PrikazPlohe, CModuleDialog)
  ON_BN_CLICKED(IDC_AREA_ALL, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_AREA_POLYGON, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_AREA_VIEW, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_MESH_TRIANGLES, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_MESH_GRID, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_DISPLAY_TEMPORARY, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_DISPLAY_LINES, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_DISPLAY_FACES, &dlg_PrikazPlohe::OnOptionClicked)
  ON_BN_CLICKED(IDC_PICK_POLYGON, &dlg_PrikazPlohe::OnPickPolygon)
  ON_BN_CLICKED(IDC_POLYGON_FROM_POLYLINE, &dlg_PrikazPlohe::OnPolygonFromPolyline)
  ON_BN_CLICKED(IDC_STEPS_FROM_RECTANGLE, &dlg_PrikazPlohe::OnStepsFromRectangle)
  ON_BN_CLICKED(IDC_ZOOM, &dlg_PrikazPlohe::OnZoomToSurface)
END_MESSAGE_MAP()

dlg_PrikazPlohe::dlg_PrikazPlohe() : CModuleDialog(IDD) {}

void dlg_PrikazPlohe::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SURFACES, m_surfaces);
  DDX_Control(dx, IDC_STEPX, m_stepX);
  DDX_Control(dx, IDC_STEPY, m_stepY);
  DDX_Control(dx, IDC_PICK_POLYGON, m_btnPickPolygon);
  DDX_Control(dx, IDC_POLYGON_FROM_POLYLINE, m_btnPolygonFromPolyline);
  DDX_Control(dx, IDC_STEPS_FROM_RECTANGLE, m_btnStepsFromRectangle);
  DDX_Control(dx, IDC_ZOOM, m_btnZoom);
  DDX_Radio(dx, IDC_AREA_ALL, m_nArea);
  DDX_Radio(dx, IDC_MESH_TRIANGLES, m_nMeshType);
  DDX_Radio(dx, IDC_DISPLAY_TEMPORARY, m_nDisplayMode);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
  DDX_Check(dx, IDC_BOUNDARY, m_bDrawBoundary);
  DDX_NumericValue(dx, IDC_STEPX, m_dStepX);
  DDX_NumericValue(dx, IDC_STEPY, m_dStepY);
}

BOOL dlg_PrikazPlohe::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  SetWindowText(CModuleConfiguration::GetMsg(61100));
  m_btnPickPolygon.SetBitmapImage(207);
  m_btnPickPolygon.SetToolTipMessage(2750);
  m_btnPolygonFromPolyline.SetBitmapImage(204);
  m_btnPolygonFromPolyline.SetToolTipMessage(4997);
  m_btnStepsFromRectangle.SetBitmapImage(207);
  m_btnStepsFromRectangle.SetToolTipMessage(4998);
  m_btnZoom.SetBitmapImage(200);
  m_btnZoom.SetToolTipMessage(2320);
  for (CNumericEdit* edit : {&m_stepX, &m_stepY}) {
    edit->SetDigits(8, 4);
    edit->AllowNegative(FALSE);
    edit->SetSeparators(L'.', L',');
  }
  m_dStepX = m_dStepY = 10;
  UpdateData(FALSE);
  ApplyEnablingRules();

  if (uv::FillSurfaceList(m_surfaces, m_pSurfaceManager) == 0) {
    CString caption;
    GetWindowText(caption);
    MessageBox(CModuleConfiguration::GetMsg(kMsgNoSurface), caption, MB_OK | MB_ICONEXCLAMATION);
    EndDialog(kCloseResult);
  }
  return TRUE;
}

void dlg_PrikazPlohe::ApplyEnablingRules() {
  const BOOL polygon = m_nArea == 1, grid = m_nMeshType == 1, entities = m_nDisplayMode == 1 || m_nDisplayMode == 2;
  for (UINT id : {IDC_PICK_POLYGON, IDC_POLYGON_FROM_POLYLINE}) GetDlgItem(id)->EnableWindow(polygon);
  for (UINT id : {IDC_STEPS_FROM_RECTANGLE, IDC_STEPX, IDC_STEPX_LABEL, IDC_STEPY_LABEL, IDC_STEPY})
    GetDlgItem(id)->EnableWindow(grid);
  GetDlgItem(IDC_GROUP)->EnableWindow(entities);
}

void dlg_PrikazPlohe::OnOptionClicked() {
  UpdateData(TRUE);
  ApplyEnablingRules();
}

void dlg_PrikazPlohe::OnPickPolygon() {
  uv::EditorCommandScope editing(*this);
  const CString prompt = CModuleConfiguration::GetMsg(kMsgPolygonPoint);
  ads_point picked;
  if (acedGetPoint(nullptr, prompt, picked) != RTNORM) return;
  m_areaPolygon.removeAll();
  m_areaPolygon.append(ToPoint(picked));
  // The sides picked so far, shown as lines until the polygon is done.
  AcDbObjectIdArray sides;
  ads_point last = {picked[0], picked[1], picked[2]};
  while (acedGetPoint(last, prompt, picked) == RTNORM) {
    const AcGePoint3d from = m_areaPolygon.last(), to = ToPoint(picked);
    m_areaPolygon.append(to);
    sides.append(CKVLCDraw::line(from, to, nullptr));
    for (int k = 0; k < 3; ++k) last[k] = picked[k];
  }
  uv::display::CloseAreaPolygon(m_areaPolygon);
  for (const AcDbObjectId& id : sides) {
    CKVLCEntityPtr side(id, AcDb::kForWrite);
    if (side.isOpen()) side->erase();
  }
}

void dlg_PrikazPlohe::OnPolygonFromPolyline() {
  uv::EditorCommandScope editing(*this);
  ads_name entity;
  ads_point at;
  if (acedEntSel(CModuleConfiguration::GetMsg(kMsgPickPolyline), entity, at) != RTNORM) return;
  AcDbObjectId id;
  if (acdbGetObjectId(id, entity) != Acad::eOk) return;
  AcGePoint3dArray vertices;
  if (ReadPolylineVertices(id, vertices) && !vertices.isEmpty()) {
    m_areaPolygon.removeAll();
    m_areaPolygon.append(vertices);
  }
  uv::display::CloseAreaPolygon(m_areaPolygon);
}

void dlg_PrikazPlohe::OnStepsFromRectangle() {
  uv::EditorCommandScope editing(*this);
  ads_point first, opposite;
  if (acedGetPoint(nullptr, CModuleConfiguration::GetMsg(kMsgFirstCorner), first) != RTNORM) return;
  if (acedGetCorner(first, CModuleConfiguration::GetMsg(kMsgOppositeCorner), opposite) != RTNORM) return;
  m_dStepX = std::fabs(first[0] - opposite[0]);
  m_dStepY = std::fabs(first[1] - opposite[1]);
  m_stepX.SetValue(m_dStepX);
  m_stepY.SetValue(m_dStepY);
}

void dlg_PrikazPlohe::OnZoomToSurface() {
  if (!uv::HasSelectedSurface(m_surfaces) || !m_pSurfaceManager) return;
  CKVLXsurface_Vantor2* surface = m_pSurfaceManager->OpenSurface(m_strSurfaceName);
  if (!surface) return;
  uv::EditorCommandScope editing(*this);
  CKVLCEdit::zoom(surface->Boundary());
  wchar_t answer[133] = {};
  acedGetString(0, CModuleConfiguration::GetMsg(kMsgReturn), answer, 133);
}

bool dlg_PrikazPlohe::CheckGridSpacing(const CKVLXsurface_Vantor2& surface) {
  UINT message = 0;
  CWnd* field = &m_stepX;
  CString count;
  if (!(m_dStepX > 0) || !(m_dStepY > 0)) {
    message = kMsgZeroSpacing;
    if (m_dStepX > 0) field = &m_stepY;
  } else {
    uv::display::ShowRequest request;
    request.area = m_nArea;
    request.polygon = m_areaPolygon;
    request.stepX = m_dStepX;
    request.stepY = m_dStepY;
    const double cells = uv::display::GridFrameFor(request, surface).cellEstimate();
    const double perCell = m_nDisplayMode == 0 ? 2 * kVectorBytes : m_nDisplayMode == 1 ? 2 * kEntityBytes : kEntityBytes;
    if (cells * perCell > PhysicalMemoryBytes()) {
      message = kMsgTooManyCells;
      count.Format(L"%.0f", cells);
    }
  }
  if (!message) return true;
  CString caption, text;
  GetWindowText(caption);
  if (count.IsEmpty()) text = CModuleConfiguration::GetMsg(message);
  else text.Format(CModuleConfiguration::GetMsg(message), count.GetString());
  MessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
  GotoDlgCtrl(field);
  return false;
}

void dlg_PrikazPlohe::OnOK() {
  CWaitCursor wait;
  UpdateData(TRUE);
  if (m_nArea == 2) {
    AcGePoint3dArray view;
    if (ReadViewRectangle(view)) {
      m_areaPolygon.removeAll();
      m_areaPolygon.append(view);
    }
  }
  CKVLXsurface_Vantor2* surface = uv::HasSelectedSurface(m_surfaces) && m_pSurfaceManager
                                      ? m_pSurfaceManager->OpenSurface(m_strSurfaceName)
                                      : nullptr;
  if (!surface) {
    EndDialog(IDOK);
    return;
  }
  if (m_nMeshType == 1 && m_nArea == 0 && surface->GetBoundaryCount() > 0) {
    m_areaPolygon.removeAll();
    surface->Boundary(0, m_areaPolygon);
  }
  if (m_nMeshType == 1 && !CheckGridSpacing(*surface)) return;
  Draw(*surface);
  EndDialog(IDOK);
}

void dlg_PrikazPlohe::Draw(CKVLXsurface_Vantor2& surface) {
  using namespace uv::display;
  ShowRequest request;
  request.manager = m_pSurfaceManager;
  request.surfaceName = m_strSurfaceName;
  request.surfaceSelected = uv::HasSelectedSurface(m_surfaces);
  request.area = m_nArea;
  request.polygon = m_areaPolygon;
  request.stepX = m_dStepX;
  request.stepY = m_dStepY;
  request.group = m_bGroup == 1;

  if (m_bDrawBoundary == 1) DrawBoundary(request, surface);
  const bool temporary = m_nDisplayMode == 0;
  if (m_nMeshType == 0) {
    if (m_nDisplayMode == 2) DrawTriangleFaces(request, surface);
    else DrawTriangleEdges(request, surface, temporary);
  } else {
    if (m_nDisplayMode == 2) DrawGridFaces(request, surface);
    else DrawGridLines(request, surface, temporary);
  }
}
