#include "module/points/LayerList.h"

#include "db/ResItem.h"
#include "product/cadwrapper/CKVLCLayerTablePtr.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/CListCtrl.h"

namespace uv {

void FillLayerList(CListCtrl& list) {
  list.DeleteAllItems();
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  if (list.GetHeaderCtrl()->GetItemCount() == 0) list.InsertColumn(0, CModuleConfiguration::GetMsg(4699));
  CStringArray names;
  CKVLCLayerTablePtr layers;
  layers.allLayerNames(names);
  for (int i = 0; i < names.GetSize(); ++i) list.InsertItem(list.GetItemCount(), names[i]);
  list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
}

void SelectedLayers(const CListCtrl& list, CStringArray& names) {
  names.RemoveAll();
  for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
    names.Add(list.GetItemText(i, 0));
}

void SelectLayers(CListCtrl& list, const std::set<CString>& names) {
  for (int i = 0; i < list.GetItemCount(); ++i)
    if (names.count(list.GetItemText(i, 0))) list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
}

resbuf* BuildLayerClause(const CStringArray& names) {
  if (names.GetSize() == 0) return nullptr;
  ResItems items;
  items.push_back(ResItem::ofString(-4, L"<OR"));
  for (int i = 0; i < names.GetSize(); ++i) items.push_back(ResItem::ofString(8, names[i].GetString()));
  items.push_back(ResItem::ofString(-4, L"OR>"));
  return chainFromItems(items);
}

}  // namespace uv
