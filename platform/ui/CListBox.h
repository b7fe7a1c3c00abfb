// A list box, single or multiple selection (LBS_MULTIPLESEL,
// LBS_EXTENDEDSEL), optionally sorted. A person's selection sends
// LBN_SELCHANGE; a program's sends nothing.
#pragma once

#include <vector>

#include "ui/CWnd.h"
#include "ui/StringItems.h"

class CListBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int AddString(LPCTSTR text);
  int InsertString(int index, LPCTSTR text);
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const { return m_items.count(); }
  void GetText(int index, CString& text) const;
  int GetTextLen(int index) const;
  int FindString(int startAfter, LPCTSTR prefix) const;
  int FindStringExact(int startAfter, LPCTSTR text) const;
  int SelectString(int startAfter, LPCTSTR prefix);
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;

  // Single selection
  int GetCurSel() const;
  int SetCurSel(int index);
  // Multiple selection
  int GetSel(int index) const;
  int SetSel(int index, BOOL select = TRUE);
  int GetSelCount() const;
  int GetSelItems(int maxItems, LPINT items) const;

  bool isMultipleSelection() const { return (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  // A person selects the rows, replacing the selection or adding to it.
  void userSelect(const std::vector<int>& rows, bool add);
  void userDoubleClick(int row);
  int findForScript(const CString& text) const { return m_items.findForScript(text); }

  void applyUserAction(const uv::DialogAction& action) override;
  const wchar_t* windowClassName() const override { return L"ListBox"; }

 protected:
  uv::WidgetKind kind() const override { return uv::WidgetKind::kListBox; }
  // A destroyed control forgets its content, as its window would.
  void OnDestroy() override;

 private:
  uv::StringItems m_items;
  std::vector<bool> m_selected;
  int m_caret = -1;
};
