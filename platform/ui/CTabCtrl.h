// A tab control: a row of titled tabs and a display area below them. A
// person's choice sends TCN_SELCHANGING (the parent may refuse it by
// returning TRUE) and then TCN_SELCHANGE; SetCurSel sends nothing.
#pragma once

#include <vector>

#include "ui/CWnd.h"

class CImageList;

class CTabCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  LONG InsertItem(int item, LPCTSTR title);
  LONG InsertItem(int item, const TCITEM* tab);
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  int GetItemCount() const { return int(m_tabs.size()); }
  BOOL GetItem(int item, TCITEM* tab) const;
  BOOL SetItem(int item, const TCITEM* tab);
  int GetCurSel() const { return m_current; }
  int SetCurSel(int item);
  // The tab's title area, in the control's client coordinates.
  BOOL GetItemRect(int item, LPRECT rect) const;
  // larger FALSE: the display area of a window rectangle; TRUE: back.
  void AdjustRect(BOOL larger, LPRECT rect) const;
  CImageList* SetImageList(CImageList* list);

  CString itemText(int item) const;
  // A person clicks the tab; returns false when the parent refused.
  bool userSelectTab(int item);
  // The tab a script names by its title (exact, else ignoring case); -1 otherwise.
  int findForScript(const CString& title) const;

  void applyUserAction(const uv::DialogAction& action) override;
  const wchar_t* windowClassName() const override { return L"SysTabControl32"; }

 protected:
  uv::WidgetKind kind() const override { return uv::WidgetKind::kTabControl; }
  // A destroyed control forgets its content, as its window would.
  void OnDestroy() override;

 private:
  struct Tab {
    CString text;
    LPARAM data = 0;
    int image = -1;
  };
  std::vector<Tab> m_tabs;
  int m_current = -1;
  CImageList* m_images = nullptr;
};
