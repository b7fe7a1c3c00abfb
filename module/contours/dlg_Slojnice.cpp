#include "module/contours/dlg_Slojnice.h"

#include "module/components/SurfaceList.h"
#include "module/contours/ContourDrawing.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {

enum : UINT {
  IDC_SURFACES = 207,
  IDC_GROUP = 243,
  IDC_MIN_HEIGHT = 259,
  IDC_MAX_HEIGHT = 260,
  IDC_DRAW_AT_ZERO = 268,
  IDC_DRAW_MINOR = 269,
};

constexpr UINT kMsgIntervalNotPositive = 70300;
constexpr UINT kMsgTooManyLevels = 70301;

}  // namespace

BEGIN_MESSAGE_MAP(dlg_Slojnice, CModuleDialog)
  ON_CBN_SELCHANGE(IDC_SURFACES, &dlg_Slojnice::OnSurfaceChanged)
  ON_BN_CLICKED(261, &dlg_Slojnice::OnModeClicked)
  ON_BN_CLICKED(262, &dlg_Slojnice::OnModeClicked)
  ON_BN_CLICKED(270, &dlg_Slojnice::OnModeClicked)
  ON_BN_CLICKED(271, &dlg_Slojnice::OnModeClicked)
  ON_BN_CLICKED(IDC_DRAW_MINOR, &dlg_Slojnice::OnModeClicked)
  ON_BN_CLICKED(266, &dlg_Slojnice::OnMajorAdd)
  ON_BN_CLICKED(267, &dlg_Slojnice::OnMajorDelete)
  ON_BN_CLICKED(275, &dlg_Slojnice::OnMinorAdd)
  ON_BN_CLICKED(276, &dlg_Slojnice::OnMinorDelete)
END_MESSAGE_MAP()

dlg_Slojnice::dlg_Slojnice() : CModuleDialog(IDD), m_major(CContourClass::kMajor, 5), m_minor(CContourClass::kMinor, 1) {}

void dlg_Slojnice::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SURFACES, m_surfaces);
  m_major.Exchange(dx);
  m_minor.Exchange(dx);
  DDX_Text(dx, IDC_MIN_HEIGHT, m_strMinHeight);
  DDX_Text(dx, IDC_MAX_HEIGHT, m_strMaxHeight);
  DDX_Radio(dx, CContourClass::kMajor.automatic, m_nMajorMode);
  DDX_Radio(dx, CContourClass::kMinor.automatic, m_nMinorMode);
  DDX_Check(dx, IDC_DRAW_AT_ZERO, m_bDrawAtZero);
  DDX_Check(dx, IDC_GROUP, m_bGroup);
  DDX_Check(dx, IDC_DRAW_MINOR, m_bDrawMinor);
}

BOOL dlg_Slojnice::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  m_major.Initialize();
  m_minor.Initialize();
  uv::FillSurfaceList(m_surfaces, m_pSurfaceManager);
  UpdateData(FALSE);
  ApplyEnabling();
  UpdateRangesFromSurface();
  return TRUE;
}

void dlg_Slojnice::ApplyEnabling() {
  m_major.Enable(*this, m_nMajorMode, true);
  m_minor.Enable(*this, m_nMinorMode, m_bDrawMinor == 1);
}

void dlg_Slojnice::OnModeClicked() {
  UpdateData(TRUE);
  ApplyEnabling();
}

void dlg_Slojnice::OnSurfaceChanged() { UpdateRangesFromSurface(); }

void dlg_Slojnice::UpdateRangesFromSurface() {
  if (!uv::HasSelectedSurface(m_surfaces) || !m_pSurfaceManager) return;
  CKVLXsurface_Vantor2* surface = m_pSurfaceManager->OpenSurface(m_strSurfaceName);
  if (!surface) return;
  const AcDbExtents extents = surface->Boundary();
  const double zmin = extents.minPoint().z, zmax = extents.maxPoint().z;
  if (!(zmin <= zmax)) return;  // a surface without points has no heights
  UpdateData(TRUE);
  m_strMinHeight.Format(L"%.2f", zmin);
  m_strMaxHeight.Format(L"%.2f", zmax);
  m_major.UpdateRange(zmin, zmax);
  m_minor.UpdateRange(zmin, zmax);
  UpdateData(FALSE);
}

void dlg_Slojnice::OnMajorAdd() { m_major.AddLevel(); }
void dlg_Slojnice::OnMajorDelete() { m_major.DeleteLevels(); }
void dlg_Slojnice::OnMinorAdd() { m_minor.AddLevel(); }
void dlg_Slojnice::OnMinorDelete() { m_minor.DeleteLevels(); }

std::vector<double> dlg_Slojnice::CollectMajorLevels() const { return m_major.Levels(m_nMajorMode); }

std::vector<double> dlg_Slojnice::CollectMinorLevels() const {
  if (m_bDrawMinor != 1) return {};
  return m_minor.Levels(m_nMinorMode);
}

bool dlg_Slojnice::CheckIntervals() {
  struct Drawn {
    CContourClass& cls;
    bool byInterval;
  };
  for (const Drawn& d : {Drawn{m_major, m_nMajorMode == 0}, Drawn{m_minor, m_bDrawMinor == 1 && m_nMinorMode == 0}}) {
    if (!d.byInterval) continue;
    const uv::contours::IntervalCheck check = d.cls.CheckInterval();
    if (check == uv::contours::IntervalCheck::kOk) continue;
    CString text;
    if (check == uv::contours::IntervalCheck::kNotPositive) {
      text = CModuleConfiguration::GetMsg(kMsgIntervalNotPositive);
    } else {
      text.Format(CModuleConfiguration::GetMsg(kMsgTooManyLevels).GetString(), d.cls.m_dFrom, d.cls.m_dTo,
                  int(uv::contours::kMaxLevelsPerClass));
    }
    CString caption;
    GetWindowText(caption);
    MessageBox(text, caption, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(&d.cls.IntervalEdit());
    return false;
  }
  return true;
}

void dlg_Slojnice::OnOK() {
  UpdateData(TRUE);
  if (!CheckIntervals()) return;
  EndDialog(IDOK);
  DrawContours();
}

void dlg_Slojnice::DrawContours() {
  const uv::contours::MergedLevels levels = uv::contours::MergeLevels(CollectMajorLevels(), CollectMinorLevels());
  if (levels.empty() || !uv::HasSelectedSurface(m_surfaces) || !m_pSurfaceManager) return;
  CKVLXsurface_Vantor2* surface = m_pSurfaceManager->OpenSurface(m_strSurfaceName);
  if (!surface) return;
  uv::contours::DrawContours(*m_pSurfaceManager, *surface, levels, {m_major.CurrentStyle(), m_minor.CurrentStyle()},
                             m_bDrawAtZero == 1, m_bGroup == 1);
}
