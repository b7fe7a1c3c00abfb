#include "module/surfaces/dlg_Konverzija.h"

#include "db/ResbufChain.h"
#include "module/surfaces/OldSurfaceRecord.h"
#include "product/cadwrapper/CKVLCDictionaryPtr.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {

enum : UINT { IDC_CONVERT = 215, IDC_OLD_SURFACES = 257, IDC_ERASE_OLD = 258 };
constexpr UINT kMsgNoOldSurface = 5029;

namespace old = uv::surfaces::old;

bool IsPoint(const resbuf* item) { return uv::resvalKind(item->restype) == uv::ResvalKind::kPoint; }
bool IsText(const resbuf* item) { return uv::resvalKind(item->restype) == uv::ResvalKind::kString; }

}  // namespace

BEGIN_MESSAGE_MAP(dlg_Konverzija, CModuleDialog)
  ON_BN_CLICKED(IDC_CONVERT, &dlg_Konverzija::OnConvert)
END_MESSAGE_MAP()

dlg_Konverzija::dlg_Konverzija() : CModuleDialog(IDD, CloseSaves::kYes) {}

void dlg_Konverzija::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_OLD_SURFACES, m_oldSurfaces);
  DDX_Check(dx, IDC_ERASE_OLD, m_bEraseOld);
}

BOOL dlg_Konverzija::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  uv::ResbufChain names;
  if (CKVLCDictionaryPtr(AcDb::kForRead).dctRead(old::kListDictionary, old::kNamesKey, names.out(), false) &&
      names) {
    for (const resbuf* item = names.get(); item; item = item->rbnext)
      if (IsText(item)) m_oldSurfaces.AddString(item->resval.rstring);
    m_oldSurfaces.SetCurSel(0);
  }
  return TRUE;
}

CString dlg_Konverzija::NewName(const CString& oldName) const {
  CString base, candidate;
  base.Format(L"Vantor1_%s", oldName.GetString());
  candidate = base;
  for (int n = 1; m_pSurfaceManager->GetSurfaceDescription(candidate); ++n)
    candidate.Format(L"%s_%d", base.GetString(), n);
  return candidate;
}

void dlg_Konverzija::OnConvert() {
  UpdateData(TRUE);
  CString oldName;
  if (const int selected = m_oldSurfaces.GetCurSel(); selected != CB_ERR) m_oldSurfaces.GetLBText(selected, oldName);
  if (oldName.IsEmpty()) {
    CString caption;
    GetWindowText(caption);
    MessageBox(CModuleConfiguration::GetMsg(kMsgNoOldSurface), caption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!m_pSurfaceManager) return;

  const CString name = NewName(oldName);
  CKVLXsurface_Vantor2* surface = m_pSurfaceManager->CreateSurface(name, CKVLSurfaceManager::kDrawingStorage, nullptr, false);
  CKVLSurfaceManager::CSurfaceDesc* desc = surface ? m_pSurfaceManager->GetSurfaceDescription(name) : nullptr;
  if (!desc) return;

  CKVLCDictionaryPtr dictionary(AcDb::kForRead);
  const CString record = old::SurfaceDictionary(oldName);
  uv::ResbufChain points;
  if (dictionary.dctRead(record, old::kPointsKey, points.out(), false) && points) {
    CUniquePointSet set;
    for (const resbuf* item = points.get(); item; item = item->rbnext)
      if (IsPoint(item)) set.AddPoint(AcGePoint3d(item->resval.rpoint[0], item->resval.rpoint[1], item->resval.rpoint[2]));
    points.reset();
    surface->SetPoints(set);
  }

  // A missing entry leaves the engine's default in place.
  if (CKVLLayerManager* layers = desc->GetLayerManager()) {
    for (const old::LayerKeys& keys : old::kLayerKeys) {
      CKVLSurfaceManager::CKVLLayer* layer = layers->GetLayer(keys.layerType);
      if (!layer) continue;
      dictionary.dctRead(record, keys.colour, layer->m_nColor, false);
      dictionary.dctRead(record, keys.layer, layer->m_strName, false);
      dictionary.dctRead(record, keys.linetype, layer->m_strLinetype, false);
    }
  }
  dictionary.dctRead(record, old::kDescriptionKey, desc->m_strDescription, false);

  if (m_bEraseOld == 1 && dictionary.upgradeOpen() == Acad::eOk) EraseOld(dictionary, oldName);
}

// The list of old names is written back without the converted one, in
// reverse of its stored order, as the product has always rewritten it.
void dlg_Konverzija::EraseOld(CKVLCDictionaryPtr& dictionary, const CString& oldName) {
  dictionary.dctErase(old::SurfaceDictionary(oldName), false);
  if (m_oldSurfaces.GetCount() == 1) {
    dictionary.dctErase(old::kListDictionary, false);
    return;
  }
  uv::ResbufChain remaining;
  {
    uv::ResbufChain names;
    if (!dictionary.dctRead(old::kListDictionary, old::kNamesKey, names.out(), false) || !names) return;
    for (const resbuf* item = names.get(); item; item = item->rbnext) {
      if (!IsText(item) || oldName == item->resval.rstring) continue;
      resbuf* kept = acutNewRb(RTSTR);
      kept->resval.rstring = uv::newResString(item->resval.rstring);
      kept->rbnext = remaining.release();
      remaining.reset(kept);
    }
  }
  dictionary.dctWrite(old::kListDictionary, old::kNamesKey, remaining.get(), false, true);

  CString active;
  if (dictionary.dctRead(old::kListDictionary, old::kActiveKey, active, false) && active == oldName) {
    // With nothing left to name, no old surface is active.
    const wchar_t* successor = remaining ? remaining->resval.rstring : L"";
    dictionary.dctWrite(old::kListDictionary, old::kActiveKey, successor, false, true, 1);
  }
}
