// A list view in report view: columns with headings and widths, rows of
// cell texts with an image, item data and state (selected, focused, check
// box), full-row selection and grid lines as extended styles, sorting by a
// compare function. State changes send LVN_ITEMCHANGING/LVN_ITEMCHANGED to
// the parent, whoever makes them, as Windows does; row colours are asked
// of the parent with NM_CUSTOMDRAW.
//
// Derived lists make cells editable by overriding cellEditor and
// userEditCell; front ends and scripts edit cells only through them.
#pragma once

#include <optional>
#include <vector>

#include "ui/CImageList.h"
#include "ui/CWnd.h"

namespace uv {

// How a person edits a cell.
struct CellEditor {
  enum class Type { kNone, kText, kColor, kChoice };
  Type type = Type::kNone;
  std::vector<CString> choices;  // kChoice: the texts offered
  int selected = -1;             // kChoice: the chosen one
};

}  // namespace uv

class CListCtrl;

// The column headings of a list view.
class CHeaderCtrl {
 public:
  int GetItemCount() const;

 private:
  friend class CListCtrl;
  const CListCtrl* m_list = nullptr;
};

class CListCtrl : public CWnd {
 public:
  CListCtrl();

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Columns. A width of -1 takes the heading's width.
  int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  int InsertColumn(int column, const LVCOLUMN* column_);
  BOOL DeleteColumn(int column);
  BOOL GetColumn(int column, LVCOLUMN* column_) const;
  BOOL SetColumn(int column, const LVCOLUMN* column_);
  int GetColumnWidth(int column) const;
  // LVSCW_AUTOSIZE fits the cells, LVSCW_AUTOSIZE_USEHEADER the cells and
  // the heading; the last column then takes the rest of the list's width.
  BOOL SetColumnWidth(int column, int cx);
  CHeaderCtrl* GetHeaderCtrl() { return &m_header; }

  // Items. Lists with LVS_SORTASCENDING insert in text order.
  int InsertItem(int item, LPCTSTR text);
  int InsertItem(int item, LPCTSTR text, int image);
  int InsertItem(const LVITEM* item);
  int InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM lParam);
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const { return int(m_items.size()); }
  BOOL SetItemText(int item, int subItem, LPCTSTR text);
  CString GetItemText(int item, int subItem) const;
  BOOL SetItem(const LVITEM* item);
  BOOL GetItem(LVITEM* item) const;
  BOOL SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;
  // item -1 changes every item.
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const;
  BOOL GetCheck(int item) const;
  BOOL SetCheck(int item, BOOL check = TRUE);

  int GetNextItem(int item, int flags) const;
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& position) const;
  UINT GetSelectedCount() const;
  int GetSelectionMark() const { return m_mark; }
  int SetSelectionMark(int item);

  DWORD SetExtendedStyle(DWORD style);
  DWORD GetExtendedStyle() const { return m_exStyle; }
  CImageList* SetImageList(CImageList* list, int type);
  CImageList* GetImageList(int type) const;
  // compare(data1, data2, data) for SortItems; (index1, index2, data) for SortItemsEx.
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);
  BOOL SortItemsEx(PFNLVCOMPARE compare, DWORD_PTR data);
  BOOL EnsureVisible(int item, BOOL partialOk) { return item >= 0 && item < GetItemCount(); }
  BOOL RedrawItems(int first, int last);
  int GetTopIndex() const { return 0; }
  COLORREF SetTextBkColor(COLORREF c) { std::swap(c, m_textBk); return c; }
  COLORREF GetTextBkColor() const { return m_textBk; }

  // --- the model, for front ends and scripts ---
  int columnCount() const { return int(m_columns.size()); }
  int columnFormat(int column) const;
  int imageOf(int item) const;
  virtual uv::CellEditor cellEditor(int item, int subItem) const;
  // value: the new text, the choice's text, or nothing to open a dialog
  // (a colour cell). Throws uv::DialogActionRefused for a cell that
  // cannot be edited so.
  virtual void userEditCell(int item, int subItem, const std::optional<CString>& value);
  // A person clicks the rows (replacing the selection) or ctrl-clicks them.
  void userSelect(const std::vector<int>& rows, bool add);
  void userDoubleClick(int row);
  // A person ticks or clears the row's check box (LVS_EX_CHECKBOXES).
  void userTick(int row, bool on);
  // The row whose first cell a script names: the exact text, else the only
  // one equal ignoring case; -1 otherwise.
  int findForScript(const CString& text) const;
  struct Colours {
    COLORREF text = CLR_DEFAULT;
    COLORREF background = CLR_DEFAULT;
  };
  // Asks the parent for the cell's colours, as drawing the row would.
  Colours itemColours(int item, int subItem);

  void applyUserAction(const uv::DialogAction& action) override;
  const wchar_t* windowClassName() const override { return L"SysListView32"; }

 protected:
  uv::WidgetKind kind() const override { return uv::WidgetKind::kListView; }
  // A destroyed control forgets its content, as its window would.
  void OnDestroy() override;
  void takeOver(CWnd& from) override;
  bool validItem(int item) const { return item >= 0 && item < GetItemCount(); }
  // Throws uv::DialogActionRefused naming the control when the row is missing.
  void requireRow(int row) const;

 private:
  struct Column {
    CString heading;
    int format = LVCFMT_LEFT;
    int width = 0;
  };
  struct Item {
    std::vector<CString> texts;
    int image = -1;
    UINT state = 0;
    DWORD_PTR data = 0;
  };

  // Changes the state bits of one item and notifies; false when the parent
  // refused the change.
  bool changeState(int item, UINT state, UINT mask);
  int textWidth(const CString& text) const;
  void reorder(const std::vector<int>& order);

  std::vector<Column> m_columns;
  std::vector<Item> m_items;
  DWORD m_exStyle = 0;
  CImageList* m_normalImages = nullptr;
  CImageList* m_smallImages = nullptr;
  CImageList* m_stateImages = nullptr;
  int m_mark = -1;
  COLORREF m_textBk = CLR_NONE;
  CHeaderCtrl m_header;
};
