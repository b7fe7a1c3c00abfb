#include "ui/CAdUiTab.h"

#include "ui/CAdUiTabChildDialog.h"
#include "ui/CAdUiTabMainDialog.h"
#include "ui/Resources.h"

BEGIN_MESSAGE_MAP(CAdUiTab, CTabCtrl)
  ON_NOTIFY_REFLECT_EX(TCN_SELCHANGING, &CAdUiTab::OnSelChanging)
  ON_NOTIFY_REFLECT_EX(TCN_SELCHANGE, &CAdUiTab::OnSelChange)
END_MESSAGE_MAP()

CAdUiTabMainDialog* CAdUiTabChildDialog::GetMainDialog() const {
  return dynamic_cast<CAdUiTabMainDialog*>(GetParent());
}

BOOL CAdUiTab::AddTab(int index, LPCTSTR title, UINT templateId, CAdUiTabChildDialog* page) {
  CWnd* dialog = GetParent();
  if (!page || !dialog || index < 0) return FALSE;
  if (index > GetItemCount()) index = GetItemCount();
  page->m_tab = this;
  if (!page->Create(templateId, dialog)) return FALSE;
  // The page fills the display area of the tab control.
  CRect area = rect();
  AdjustRect(FALSE, &area);
  page->MoveWindow(&area);
  InsertItem(index, title);
  m_pages.insert(m_pages.begin() + index, page);
  if (m_shown >= index) ++m_shown;
  if (m_shown < 0) showPage(GetCurSel() < 0 ? 0 : GetCurSel());
  return TRUE;
}

BOOL CAdUiTab::AddTab(int index, UINT titleId, UINT templateId, CAdUiTabChildDialog* page) {
  const std::wstring title = uv::Resources::instance().message(titleId);
  return AddTab(index, title.c_str(), templateId, page);
}

void CAdUiTab::showPage(int index) {
  if (index == m_shown || index < 0 || index >= int(m_pages.size())) return;
  if (m_shown >= 0) {
    CAdUiTabChildDialog* old = m_pages[size_t(m_shown)];
    old->ShowWindow(SW_HIDE);
    old->OnTabActivation(FALSE);
  }
  m_shown = index;
  CAdUiTabChildDialog* page = m_pages[size_t(index)];
  page->ShowWindow(SW_SHOW);
  page->OnTabActivation(TRUE);
}

BOOL CAdUiTab::SetActiveTab(int index) {
  if (index < 0 || index >= int(m_pages.size())) return FALSE;
  SetCurSel(index);
  showPage(index);
  return TRUE;
}

CAdUiTabChildDialog* CAdUiTab::GetDialogPtr(int index) const {
  return index >= 0 && index < int(m_pages.size()) ? m_pages[size_t(index)] : nullptr;
}

BOOL CAdUiTab::OnSelChanging(NMHDR*, LRESULT* result) {
  if (m_shown >= 0 && !m_pages[size_t(m_shown)]->OnTabChanging()) {
    *result = TRUE;
    return TRUE;  // refused: the dialog need not hear of it
  }
  return FALSE;
}

BOOL CAdUiTab::OnSelChange(NMHDR*, LRESULT*) {
  showPage(GetCurSel());
  return FALSE;  // the dialog hears of the change too
}

void CAdUiTab::OnDestroy() {
  m_pages.clear();
  m_shown = -1;
  CTabCtrl::OnDestroy();
}
