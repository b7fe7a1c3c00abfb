#include "module/components/SurfaceList.h"

#include "base/CString.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CSurfaceDesc.h"
#include "ui/CComboBox.h"

namespace uv {

int FillSurfaceList(CComboBox& list, CKVLSurfaceManager* manager) {
  list.ResetContent();
  if (!manager) return 0;
  CStringArray names;
  manager->GetExistingSurfaceNames(names);
  for (int i = 0; i < names.GetSize(); ++i) list.AddString(names[i]);
  if (list.GetCount() == 0) return 0;

  int selected = 0;
  if (CKVLSurfaceManager::CSurfaceDesc* current = manager->GetCurrentSurface()) {
    // Exact search ignores letter case, as the list does.
    int found = list.FindStringExact(-1, current->m_strName);
    if (found != CB_ERR) selected = found;
  }
  list.SetCurSel(selected);
  return list.GetCount();
}

bool HasSelectedSurface(const CComboBox& list) { return list.GetCurSel() != CB_ERR; }

}  // namespace uv
