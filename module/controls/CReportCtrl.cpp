#include "module/controls/CReportCtrl.h"

#include "base/TextCase.h"

namespace {

struct SortContext {
  CReportCtrl* list;
  int column;
  bool ascending;
};

int compareRows(LPARAM first, LPARAM second, LPARAM context) {
  const auto* c = reinterpret_cast<const SortContext*>(context);
  const CString a = c->list->GetItemText(int(first), c->column);
  const CString b = c->list->GetItemText(int(second), c->column);
  int order = uv::compareNoCase(a.str(), b.str());
  if (order == 0) order = a.Compare(b);
  return c->ascending ? order : -order;
}

}  // namespace

void CReportCtrl::SetSortColumn(int column, BOOL ascending) {
  m_sortColumn = column;
  m_ascending = ascending != FALSE;
  Sort();
}

void CReportCtrl::Sort() {
  if (m_sortColumn < 0) return;
  SortContext context{this, m_sortColumn, m_ascending};
  SortItemsEx(&compareRows, DWORD_PTR(&context));
}

int CReportCtrl::AddRow(const CString& text) {
  // A marker in the item data finds the row again after sorting.
  static int marker;
  const int inserted = InsertItem(LVIF_TEXT | LVIF_PARAM, GetItemCount(), text, 0, 0, 0, LPARAM(&marker));
  Sort();
  for (int i = 0; i < GetItemCount(); ++i)
    if (GetItemData(i) == DWORD_PTR(&marker)) {
      SetItemData(i, 0);
      return i;
    }
  return inserted;
}

std::vector<int> CReportCtrl::GetSelectedRows() const {
  std::vector<int> rows;
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) rows.push_back(i);
  return rows;
}

int CReportCtrl::DeleteSelectedRows() {
  int deleted = 0;
  for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(-1, LVNI_SELECTED)) {
    DeleteItem(row);
    ++deleted;
  }
  return deleted;
}
