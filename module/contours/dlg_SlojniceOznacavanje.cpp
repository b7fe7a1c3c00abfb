#include "module/contours/dlg_SlojniceOznacavanje.h"

#include "db/AcDbObjectPointer.h"
#include "db/adscodes.h"
#include "ed/EdInput.h"
#include "module/components/SurfaceList.h"
#include "module/contours/ContourDrawing.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "ui/Feedback.h"

namespace {

enum : UINT { IDC_PATH = 200, IDC_SURFACES = 207, IDC_PICK_PATH = 216, IDC_GROUP = 243 };

constexpr UINT kPickImage = 207;
constexpr UINT kMsgPickTip = 6236;

AcGePoint3d pointOf(const ads_point p) { return AcGePoint3d(p[0], p[1], p[2]); }

}  // namespace

BEGIN_MESSAGE_MAP(dlg_SlojniceOznacavanje, CModuleDialog)
  ON_BN_CLICKED(IDC_PICK_PATH, &dlg_SlojniceOznacavanje::OnPickPath)
END_MESSAGE_MAP()

dlg_SlojniceOznacavanje::dlg_SlojniceOznacavanje() : CModuleDialog(IDD) {}

void dlg_SlojniceOznacavanje::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SURFACES, m_surfaces);
  DDX_Control(dx, IDC_PATH, m_path);
  DDX_Control(dx, IDC_PICK_PATH, m_pick);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
}

BOOL dlg_SlojniceOznacavanje::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  m_pick.SetBitmapImage(kPickImage);
  m_pick.SetToolTipMessage(kMsgPickTip);
  uv::FillSurfaceList(m_surfaces, m_pSurfaceManager);
  m_path.InsertColumn(0, L"");
  ShowPath();
  return TRUE;
}

void dlg_SlojniceOznacavanje::OnPickPath() { PickLabelPath(); }

void dlg_SlojniceOznacavanje::PickLabelPath() {
  BeginEditorCommand();
  AcGePoint3dArray points;
  AcDbObjectIdArray temporary;
  ads_point picked;
  if (acedGetPoint(nullptr, nullptr, picked) == RTNORM) {
    points.append(pointOf(picked));
    ads_point last = {picked[0], picked[1], picked[2]};
    while (acedGetPoint(last, nullptr, picked) == RTNORM) {
      temporary.append(CKVLCDraw::line(pointOf(last), pointOf(picked), nullptr));
      points.append(pointOf(picked));
      for (int i = 0; i < 3; ++i) last[i] = picked[i];
    }
    for (const AcDbObjectId& id : temporary) {
      AcDbObjectPointer<AcDbEntity> line(id, AcDb::kForWrite);
      if (line.openStatus() == Acad::eOk) line->erase();
    }
  }
  CompleteEditorCommand();
  if (points.length() < 2) return;
  m_labelPath = points;
  ShowPath();
}

void dlg_SlojniceOznacavanje::ShowPath() {
  m_path.DeleteAllItems();
  for (int i = 0; i < m_labelPath.length(); ++i) {
    CString row;
    row.Format(L"%.2f; %.2f", m_labelPath[i].x, m_labelPath[i].y);
    m_path.InsertItem(i, row);
  }
  m_path.SetColumnWidth(0, LVSCW_AUTOSIZE);
}

void dlg_SlojniceOznacavanje::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
  LabelContours();
}

void dlg_SlojniceOznacavanje::LabelContours() {
  CWaitCursor wait;
  CKVLXsurface_Vantor2* surface = nullptr;
  if (uv::HasSelectedSurface(m_surfaces) && m_pSurfaceManager) surface = m_pSurfaceManager->OpenSurface(m_strSurfaceName);
  uv::contours::LabelContours(surface, m_labelPath, m_bGroup == 1);
}
