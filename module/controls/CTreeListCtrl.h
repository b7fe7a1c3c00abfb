// A two-column list with a check box in every row and, in column 1, an
// option chosen from the row's pick list ("a|b|c"). Each row may carry
// data of the owner's (a CTreeListRowData), which the row owns: it is
// released with the row and with the control.
//
// A person's tick sends LVN_ITEMCHANGED (the check box's state image
// changes, as in any list); choosing an option sends TLN_OPTIONCHANGED
// (an NMTREELIST) to the parent and calls OnOptionChanged.
#pragma once

#include <memory>
#include <vector>

#include "ui/CListCtrl.h"

class CTreeListRowData {
 public:
  virtual ~CTreeListRowData() = default;
};

constexpr UINT TLN_OPTIONCHANGED = UINT(-2400);

struct NMTREELIST {
  NMHDR hdr;
  int iRow = -1;
  int iColumn = 1;
};

class CTreeListCtrl : public CListCtrl {
 public:
  CTreeListCtrl() = default;
  ~CTreeListCtrl() override;

  // Report view with check boxes, grid lines and full-row selection.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Appends a row; returns its index.
  int AddRow(const CString& label, BOOL checked = TRUE);
  // The row's pick list ("a|b|c") and its current text.
  void SetRowOption(int row, const CString& choices, const CString& text);
  CString GetRowOption(int row) const { return GetItemText(row, 1); }
  std::vector<CString> GetRowChoices(int row) const;
  // One of the row's choices; FALSE for any other text.
  BOOL SetRowOptionText(int row, const CString& text);
  void SetRowData(int row, std::unique_ptr<CTreeListRowData> data);
  CTreeListRowData* GetRowData(int row) const;
  void SetAllChecks(BOOL checked);

  uv::CellEditor cellEditor(int item, int subItem) const override;
  void userEditCell(int item, int subItem, const std::optional<CString>& value) override;
  // A person chooses the row's option from its pick list.
  void userChooseOption(int row, const CString& text);
  void applyUserAction(const uv::DialogAction& action) override;

 protected:
  virtual void OnOptionChanged(int row) {}
  BOOL OnDeleteItem(NMHDR* header, LRESULT* result);
  void OnDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  struct Row {
    std::vector<CString> choices;
    std::unique_ptr<CTreeListRowData> data;
  };
  Row* row(int index) const;

  std::vector<std::unique_ptr<Row>> m_rows;
};
