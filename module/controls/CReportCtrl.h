// A report list that keeps itself sorted: after each row added it sorts
// again on its sort column, comparing the texts ignoring letter case (ties
// by code). Rows can be selected several at a time and the selected rows
// deleted together.
#pragma once

#include <vector>

#include "ui/CListCtrl.h"

class CReportCtrl : public CListCtrl {
 public:
  // column -1 stops the sorting.
  void SetSortColumn(int column, BOOL ascending = TRUE);
  int GetSortColumn() const { return m_sortColumn; }
  bool IsSortAscending() const { return m_ascending; }
  // Appends a row with the text of column 0, sorts, and returns the row's
  // index after sorting.
  int AddRow(const CString& text);
  // Sorts on the sort column now.
  void Sort();
  std::vector<int> GetSelectedRows() const;
  // Deletes the selected rows, taking the first selected row until none is
  // left; returns how many were deleted.
  int DeleteSelectedRows();

 private:
  int m_sortColumn = -1;
  bool m_ascending = true;
};
