// The tab control of a tab dialog. AddTab builds a page from its template
// as a child of the dialog, over the tab control's display area; choosing
// a tab hides the active page and shows the chosen one, telling both.
#pragma once

#include <vector>

#include "ui/CTabCtrl.h"

class CAdUiTabChildDialog;

class CAdUiTab : public CTabCtrl {
 public:
  BOOL AddTab(int index, LPCTSTR title, UINT templateId, CAdUiTabChildDialog* page);
  // The title is a message identifier.
  BOOL AddTab(int index, UINT titleId, UINT templateId, CAdUiTabChildDialog* page);
  int GetActiveTab() const { return GetCurSel(); }
  // Shows the page without asking the pages or the dialog.
  BOOL SetActiveTab(int index);
  CAdUiTabChildDialog* GetDialogPtr(int index) const;
  int GetTabCount() const { return GetItemCount(); }

 protected:
  BOOL OnSelChanging(NMHDR* header, LRESULT* result);
  BOOL OnSelChange(NMHDR* header, LRESULT* result);
  void OnDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  void showPage(int index);

  std::vector<CAdUiTabChildDialog*> m_pages;
  int m_shown = -1;
};

class CAcUiTab : public CAdUiTab {};
