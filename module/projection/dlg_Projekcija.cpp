#include "module/projection/dlg_Projekcija.h"

#include <array>
#include <vector>

#include "base/CStringArray.h"
#include "db/AcDbObjectId.h"
#include "db/ResbufChain.h"
#include "ed/EdFiles.h"
#include "ed/EdSelection.h"
#include "module/components/EditorCommandScope.h"
#include "module/components/SurfaceList.h"
#include "module/points/EntityKind.h"
#include "module/projection/DrapePath.h"
#include "product/cadwrapper/CKVLC2dPolylinePtr.h"
#include "product/cadwrapper/CKVLC3dPolylinePtr.h"
#include "product/cadwrapper/CKVLCBlockReferencePtr.h"
#include "product/cadwrapper/CKVLCDraw.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"
#include "product/cadwrapper/CKVLCPolylineLWPtr.h"
#include "product/engine/CKVLLayerManager.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CSurfaceDesc.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/Feedback.h"

namespace {

constexpr UINT IDC_SURFACES = 207;
constexpr UINT IDC_TYPES_FROM_SAMPLE = 210;
constexpr UINT IDC_LAYERS_FROM_SAMPLE = 211;
constexpr UINT IDC_CHECK_ALL = 215;
constexpr UINT IDC_UNCHECK_ALL = 216;
constexpr UINT IDC_APPLY = 247;

constexpr UINT kMsgNoSurface = 4987;
constexpr UINT kMsgApply = 3992;
constexpr UINT kMsgApplyTip = 7758;

// Every kind the projection takes.
constexpr unsigned kProjectionTypes = 0x3FF;

// What the engine's drape takes for "no elevation off the surface": the
// stretches there are left out.
constexpr double kNoElevationOffSurface = -1000000.0;

// The marker block and the drawing it comes from, in the folder that the
// module configuration names "Symbol". The host's file search finds the
// drawing's DXF twin.
constexpr const wchar_t* kMarkerBlock = L"KVX_ELEV";
constexpr const wchar_t* kMarkerFileFormat = L"%sKVX_ELEV.dwg";

constexpr const wchar_t* kElevationFormat = L"%.2f";

// The elevation of p on the surface into p.z; false off the surface.
bool liftOnto(const CKVLXsurface_Vantor2& surface, AcGePoint3d& p) {
  double z = 0.0;
  if (surface.Elevation(p, z) != 1) return false;
  p.z = z;
  return true;
}

// The routine's result for the entity opened (for read) as a Pointer's
// class; null when it does not open so. The entity is closed on return.
template <class Pointer, class Routine>
AcDbObjectId withOpen(AcDbObjectId id, Routine routine) {
  Pointer entity(id);
  return entity.isOpen() ? routine(entity) : AcDbObjectId();
}

}  // namespace

BEGIN_MESSAGE_MAP(dlg_Projekcija, CModuleDialog)
  ON_BN_CLICKED(IDC_TYPES_FROM_SAMPLE, &dlg_Projekcija::OnTypesFromSample)
  ON_BN_CLICKED(IDC_LAYERS_FROM_SAMPLE, &dlg_Projekcija::OnLayersFromSample)
  ON_BN_CLICKED(IDC_CHECK_ALL, &dlg_Projekcija::OnCheckAll)
  ON_BN_CLICKED(IDC_UNCHECK_ALL, &dlg_Projekcija::OnUncheckAll)
  ON_BN_CLICKED(IDC_APPLY, &dlg_Projekcija::OnApply)
END_MESSAGE_MAP()

dlg_Projekcija::dlg_Projekcija() : CModuleDialog(IDD) {}

void dlg_Projekcija::DoDataExchange(CDataExchange* pDX) {
  CModuleDialog::DoDataExchange(pDX);
  m_filter.Bind(pDX);
  DDX_Control(pDX, IDC_SURFACES, m_surfaces);
  DDX_Control(pDX, IDC_APPLY, m_apply);
}

BOOL dlg_Projekcija::OnInitDialog() {
  CModuleDialog::OnInitDialog();

  m_apply.SetWindowText(CModuleConfiguration::GetMsg(kMsgApply));
  m_apply.setToolTip(CModuleConfiguration::GetMsg(kMsgApplyTip));

  if (uv::FillSurfaceList(m_surfaces, m_pSurfaceManager) == 0) {
    CString caption;
    GetWindowText(caption);
    MessageBox(CModuleConfiguration::GetMsg(kMsgNoSurface), caption, MB_OK | MB_ICONEXCLAMATION);
    EndDialog(IDCLOSE);
    return TRUE;
  }
  m_filter.SetTypeMask(kProjectionTypes);
  m_filter.Create(this);
  return TRUE;
}

void dlg_Projekcija::OnCheckAll() { m_filter.CheckAll(); }

void dlg_Projekcija::OnUncheckAll() { m_filter.UncheckAll(); }

void dlg_Projekcija::OnTypesFromSample() {
  uv::EditorCommandScope hidden(*this);
  m_filter.TypesFromSample();
}

void dlg_Projekcija::OnLayersFromSample() {
  uv::EditorCommandScope hidden(*this);
  m_filter.LayersFromSample();
}

void dlg_Projekcija::OnApply() { ProjectSelection(); }

void dlg_Projekcija::ProjectSelection() {
  if (!m_pSurfaceManager || !uv::HasSelectedSurface(m_surfaces)) return;
  const CKVLXsurface_Vantor2* surface = m_pSurfaceManager->OpenSurface(m_strSurfaceName);
  if (!surface) return;

  uv::EditorCommandScope hidden(*this);
  uv::ResbufChain filter(m_filter.BuildSelectionFilter());
  AcDbObjectIdArray draped, markers;
  {
    uv::SelectionSetScope selection;
    if (acedSSGet(nullptr, nullptr, nullptr, filter, selection.name()) != RTNORM) return;

    CWaitCursor wait;
    m_bTextTakesElevation = m_filter.Types().TakesTextElevation() ? 1 : 0;
    m_filter.Types().GetBlockAttributeMap(m_blockAttributeMap);
    ProjectEntities(selection.name(), *surface, draped, markers);
  }

  if (!uv::HasSelectedSurface(m_surfaces)) return;
  CKVLSurfaceManager::CSurfaceDesc* description = m_pSurfaceManager->GetSurfaceDescription(m_strSurfaceName);
  CKVLLayerManager* layers = description ? description->GetLayerManager() : nullptr;
  if (!layers) return;
  layers->SetOnLayer(CKVLLayerManager::kElevationMarkers, markers);
  layers->SetOnLayer(CKVLLayerManager::kDrape, draped);
}

void dlg_Projekcija::ProjectEntities(const ads_name selection, const CKVLXsurface_Vantor2& surface,
                                     AcDbObjectIdArray& draped, AcDbObjectIdArray& markers) {
  Adesk::Int32 length = 0;
  if (acedSSLength(selection, &length) != RTNORM) return;
  for (Adesk::Int32 i = 0; i < length; ++i) {
    ads_name name;
    AcDbObjectId id;
    if (acedSSName(selection, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk) continue;

    uv::EntityKind kind = uv::EntityKind::kNone;
    {
      CKVLCEntityPtr entity(id);
      if (entity.isOpen()) kind = uv::EntityKindOf(entity);
    }
    // Lines, arcs and polylines give draped polylines, the rest markers.
    using K = uv::EntityKind;
    AcDbObjectIdArray& target =
        kind == K::kLine || kind == K::kArc || kind == K::kLwPolyline || kind == K::k2dPolyline || kind == K::k3dPolyline
            ? draped
            : markers;
    AcDbObjectId made;
    switch (kind) {
      case K::kLine: made = withOpen<CKVLCLinePtr>(id, [&](auto& e) { return ProjectLine(surface, e); }); break;
      case K::kArc: made = withOpen<CKVLCArcPtr>(id, [&](auto& e) { return ProjectArc(surface, e); }); break;
      case K::kLwPolyline:
        made = withOpen<CKVLCPolylineLWPtr>(id, [&](auto& e) { return ProjectLwPolyline(surface, e); });
        break;
      case K::k2dPolyline:
        made = withOpen<CKVLC2dPolylinePtr>(id, [&](auto& e) { return Project2dPolyline(surface, e); });
        break;
      case K::k3dPolyline:
        made = withOpen<CKVLC3dPolylinePtr>(id, [&](auto& e) { return Project3dPolyline(surface, e); });
        break;
      case K::kCircle: made = withOpen<CKVLCCirclePtr>(id, [&](auto& e) { return ProjectCircle(surface, e); }); break;
      case K::kBlockReference:
        made = withOpen<CKVLCBlockReferencePtr>(id, [&](auto& e) { return ProjectBlockReference(surface, e); });
        break;
      case K::kPoint: made = withOpen<CKVLCPointPtr>(id, [&](auto& e) { return ProjectPoint(surface, e); }); break;
      case K::kText: made = withOpen<CKVLCTextPtr>(id, [&](auto& e) { return ProjectText(surface, e); }); break;
      case K::kFace: made = withOpen<CKVLCFacePtr>(id, [&](auto& e) { return ProjectFace(surface, e); }); break;
      case K::kNone: break;
    }
    if (!made.isNull()) target.append(made);
  }
}

AcDbObjectId dlg_Projekcija::DrapeOnSurface(const CKVLXsurface_Vantor2& surface, const AcGePoint3dArray& points,
                                            const AcGeDoubleArray& bulges) {
  AcGePoint3dArray result;
  if (surface.Drape(points, bulges, result, kNoElevationOffSurface) != 1) return AcDbObjectId();
  return CKVLCDraw::polyline3d(result, 0, nullptr);
}

AcDbObjectId dlg_Projekcija::ProjectLine(const CKVLXsurface_Vantor2& surface, const CKVLCLinePtr& line) {
  AcGePoint3dArray points;
  AcGeDoubleArray bulges;
  uv::projection::LinePath(*line.object(), points, bulges);
  return DrapeOnSurface(surface, points, bulges);
}

AcDbObjectId dlg_Projekcija::ProjectArc(const CKVLXsurface_Vantor2& surface, const CKVLCArcPtr& arc) {
  AcGePoint3dArray points;
  AcGeDoubleArray bulges;
  if (uv::projection::ArcPath(*arc.object(), points, bulges) == 0) return AcDbObjectId();
  return DrapeOnSurface(surface, points, bulges);
}

AcDbObjectId dlg_Projekcija::ProjectLwPolyline(const CKVLXsurface_Vantor2& surface,
                                               const CKVLCPolylineLWPtr& polyline) {
  AcGePoint3dArray points;
  AcGeDoubleArray bulges;
  uv::projection::LwPolylinePath(polyline, points, bulges);
  return DrapeOnSurface(surface, points, bulges);
}

AcDbObjectId dlg_Projekcija::Project2dPolyline(const CKVLXsurface_Vantor2& surface,
                                               const CKVLC2dPolylinePtr& polyline) {
  AcGePoint3dArray points;
  AcGeDoubleArray bulges;
  uv::projection::Polyline2dPath(*polyline.object(), points, bulges);
  return DrapeOnSurface(surface, points, bulges);
}

AcDbObjectId dlg_Projekcija::Project3dPolyline(const CKVLXsurface_Vantor2& surface,
                                               const CKVLC3dPolylinePtr& polyline) {
  AcGePoint3dArray points;
  AcGeDoubleArray bulges;
  uv::projection::Polyline3dPath(polyline, points, bulges);
  return DrapeOnSurface(surface, points, bulges);
}

AcDbObjectId dlg_Projekcija::ProjectCircle(const CKVLXsurface_Vantor2& surface, const CKVLCCirclePtr& circle) {
  AcGePoint3d p = circle->center();
  return liftOnto(surface, p) ? InsertElevationMarker(p) : AcDbObjectId();
}

AcDbObjectId dlg_Projekcija::ProjectPoint(const CKVLXsurface_Vantor2& surface, const CKVLCPointPtr& point) {
  AcGePoint3d p = point->position();
  return liftOnto(surface, p) ? InsertElevationMarker(p) : AcDbObjectId();
}

AcDbObjectId dlg_Projekcija::ProjectText(const CKVLXsurface_Vantor2& surface, CKVLCTextPtr& text) {
  AcGePoint3d p = text->position();
  if (!liftOnto(surface, p)) return AcDbObjectId();
  if (m_bTextTakesElevation != 1) return InsertElevationMarker(p);
  if (text.upgradeOpen() == Acad::eOk) {
    text->setTextString(ElevationText(p.z));
    text.downgradeOpen();
  }
  return AcDbObjectId();
}

AcDbObjectId dlg_Projekcija::ProjectBlockReference(const CKVLXsurface_Vantor2& surface,
                                                   CKVLCBlockReferencePtr& reference) {
  AcGePoint3d p = reference->position();
  if (!liftOnto(surface, p)) return AcDbObjectId();
  CString block;
  reference.getBlockName(block);
  auto row = m_blockAttributeMap.find(block);
  if (row == m_blockAttributeMap.end()) return InsertElevationMarker(p);
  // A row whose attribute was left unchosen (an empty tag) writes nothing.
  if (reference.upgradeOpen() == Acad::eOk) {
    reference.setAttributeText(row->second, ElevationText(p.z));
    reference.downgradeOpen();
  }
  return AcDbObjectId();
}

AcDbObjectId dlg_Projekcija::ProjectFace(const CKVLXsurface_Vantor2& surface, CKVLCFacePtr& face) {
  std::array<AcGePoint3d, 4> corners;
  for (Adesk::UInt16 i = 0; i < 3; ++i)
    if (face->getVertexAt(i, corners[i]) != Acad::eOk) return AcDbObjectId();
  const bool hasFourth = face->getVertexAt(3, corners[3]) == Acad::eOk;
  // The face moves only when its first three corners all lie on the surface.
  for (int i = 0; i < 3; ++i)
    if (!liftOnto(surface, corners[i])) return AcDbObjectId();
  const bool moveFourth = hasFourth && liftOnto(surface, corners[3]);
  if (face.upgradeOpen() != Acad::eOk) return AcDbObjectId();
  for (Adesk::UInt16 i = 0; i < 3; ++i) face->setVertexAt(i, corners[i]);
  if (moveFourth) face->setVertexAt(3, corners[3]);
  face.downgradeOpen();
  return AcDbObjectId();
}

AcDbObjectId dlg_Projekcija::InsertElevationMarker(const AcGePoint3d& p) {
  const AcDbObjectId block = GetElevationMarkerBlock();
  if (block.isNull()) return AcDbObjectId();
  CStringArray texts;
  texts.Add(ElevationText(p.z));
  return CKVLCDraw::insertBlockReference(block, p, texts, 1.0, nullptr);
}

AcDbObjectId dlg_Projekcija::GetElevationMarkerBlock() {
  if (!m_elevationMarkerBlock.isNull()) return m_elevationMarkerBlock;
  CString file;
  file.Format(kMarkerFileFormat, CModuleConfiguration::GetPath(L"Symbol").GetString());
  // Room for the long folders of a Linux install, beyond Windows' MAX_PATH.
  std::vector<wchar_t> found(4096, L'\0');
  if (acedFindFile(file, found.data(), found.size()) == RTNORM)
    m_elevationMarkerBlock = CKVLCDraw::insertBlockDefinition(kMarkerBlock, found.data());
  return m_elevationMarkerBlock;
}

CString dlg_Projekcija::ElevationText(double z) {
  if (m_strElevationFormat.IsEmpty()) m_strElevationFormat = kElevationFormat;
  CString text;
  text.Format(m_strElevationFormat, z);
  return text;
}
