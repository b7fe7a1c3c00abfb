#include "module/surfaces/dlg_UredjivanjePlohe.h"

#include <cwchar>

#include "module/surfaces/NameRules.h"
#include "module/surfaces/SurfaceNaming.h"
#include "product/cadwrapper/CKVLCLinetypeTablePtr.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {

enum : UINT { IDC_LAYERS = 206, IDC_NAME = 250, IDC_DESCRIPTION = 254 };
enum { kColumnLabel, kColumnLayer, kColumnColour, kColumnLinetype };

int IndexOf(const CStringArray& names, const wchar_t* name) {
  for (int i = 0; i < names.GetSize(); ++i)
    if (names[i] == name) return i;
  return -1;
}

}  // namespace

dlg_UredjivanjePlohe::dlg_UredjivanjePlohe() : CModuleDialog(IDD) {}

CString dlg_UredjivanjePlohe::LayerLabel(int type) {
  static const UINT kLabels[] = {61012, 61103, 5020, 5021, 5022, 5146};
  if (type < 1 || type > 6) return CString();
  return CModuleConfiguration::GetMsg(kLabels[type - 1]);
}

void dlg_UredjivanjePlohe::DoDataExchange(CDataExchange* dx) {
  CModuleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_NAME, m_name);
  DDX_Control(dx, IDC_LAYERS, m_layers);
  DDX_Text(dx, IDC_DESCRIPTION, m_strDescription);
}

BOOL dlg_UredjivanjePlohe::OnInitDialog() {
  CModuleDialog::OnInitDialog();
  m_linetypes.RemoveAll();
  CKVLCLinetypeTablePtr(AcDb::kForRead).getNames(m_linetypes);

  using Msg = CModuleConfiguration;
  m_layers.InsertColumn(kColumnLabel, Msg::GetMsg(224), LVCFMT_LEFT, 300);
  m_layers.InsertColumn(kColumnLayer, Msg::GetMsg(840), LVCFMT_CENTER, 220);
  m_layers.InsertColumn(kColumnColour, Msg::GetMsg(1219), LVCFMT_CENTER, 70);
  m_layers.InsertColumn(kColumnLinetype, Msg::GetMsg(1220), LVCFMT_CENTER, 80);
  m_layers.SetColumnWidth(kColumnLinetype, LVSCW_AUTOSIZE_USEHEADER);
  m_layers.SetExtendedStyle(m_layers.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_layers.SetColumnCellType(kColumnLayer, CListCtrlEx::CellType::kText);
  m_layers.SetColumnCellType(kColumnColour, CListCtrlEx::CellType::kColor);
  FillLayers();

  if (m_pDesc) {
    m_strDescription = m_pDesc->m_strDescription;
    m_name.SetWindowText(m_pDesc->m_strName);
  }
  m_name.SetRefusedCharacters(InvalidNameSymbols);
  UpdateData(FALSE);
  return TRUE;
}

void dlg_UredjivanjePlohe::FillLayers() {
  CKVLLayerManager* layers = m_pDesc ? m_pDesc->GetLayerManager() : nullptr;
  if (!layers) return;
  for (int type = 1; type <= 6; ++type) {
    const CKVLSurfaceManager::CKVLLayer* layer = layers->GetLayer(type);
    if (!layer) continue;
    const int row = m_layers.InsertItem(m_layers.GetItemCount(), LayerLabel(layer->m_nType));
    m_layers.SetItemText(row, kColumnLayer, layer->m_strName);
    CString colour;
    colour.Format(L"%d", layer->m_nColor);
    m_layers.SetItemText(row, kColumnColour, colour);
    int selected = IndexOf(m_linetypes, layer->m_strLinetype);
    if (selected < 0) selected = IndexOf(m_linetypes, L"Continuous");
    m_layers.SetCellChoices(row, kColumnLinetype, m_linetypes, selected);
    m_layers.SetItemData(row, DWORD_PTR(layer->m_nType));
  }
}

void dlg_UredjivanjePlohe::OnOK() {
  UpdateData(TRUE);
  CString name;
  m_name.GetWindowText(name);
  auto otherSurface = [this](const CString& n) {
    CKVLSurfaceManager::CSurfaceDesc* found = m_pManager ? m_pManager->GetSurfaceDescription(n) : nullptr;
    return found != nullptr && found != m_pDesc;
  };
  if (!uv::surfaces::CheckSurfaceName(*this, m_name, name, otherSurface)) return;
  if (m_pDesc) {
    m_pDesc->m_strName = name;
    m_pDesc->m_strDescription = m_strDescription;
    StoreLayers();
  }
  EndDialog(IDOK);
}

// Layer names with a refused character and colours outside 0-255 are
// dropped without a word; the row's other cells are still taken.
void dlg_UredjivanjePlohe::StoreLayers() {
  CKVLLayerManager* layers = m_pDesc->GetLayerManager();
  if (!layers) return;
  for (int row = 0; row < m_layers.GetItemCount(); ++row) {
    CKVLSurfaceManager::CKVLLayer* layer = layers->GetLayer(int(m_layers.GetItemData(row)));
    if (!layer) continue;
    const CString name = m_layers.GetItemText(row, kColumnLayer);
    if (!name.IsEmpty() && !uv::surfaces::HasInvalidNameSymbol(name)) layer->m_strName = name;
    const long colour = std::wcstol(m_layers.GetItemText(row, kColumnColour), nullptr, 10);
    if (colour >= 0 && colour <= 255) layer->m_nColor = int(colour);
    layer->m_strLinetype = m_layers.GetItemText(row, kColumnLinetype);
  }
}
