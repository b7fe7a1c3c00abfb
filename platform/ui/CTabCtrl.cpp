#include "ui/CTabCtrl.h"

#include "base/TextCase.h"
#include "ui/DialogUnits.h"
#include "ui/ScriptArguments.h"

namespace {

// The height of the row of tabs and the border around the display area, pixels.
constexpr int kTabRowHeight = 21;
constexpr int kBorder = 4;

}  // namespace

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(L"SysTabControl32", L"", style, rect, parent, id);
}

LONG CTabCtrl::InsertItem(int item, LPCTSTR title) {
  TCITEM tab;
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<LPTSTR>(title);
  return InsertItem(item, &tab);
}

LONG CTabCtrl::InsertItem(int item, const TCITEM* tab) {
  if (!tab || item < 0) return -1;
  if (item > GetItemCount()) item = GetItemCount();
  Tab t;
  if ((tab->mask & TCIF_TEXT) && tab->pszText) t.text = tab->pszText;
  if (tab->mask & TCIF_PARAM) t.data = tab->lParam;
  t.image = tab->iImage;
  m_tabs.insert(m_tabs.begin() + item, t);
  if (m_current == -1) m_current = 0;
  else if (m_current >= item && GetItemCount() > 1) ++m_current;
  changed(uv::WindowChange::kItems);
  return item;
}

BOOL CTabCtrl::DeleteItem(int item) {
  if (item < 0 || item >= GetItemCount()) return FALSE;
  m_tabs.erase(m_tabs.begin() + item);
  if (m_current == item) m_current = -1;
  else if (m_current > item) --m_current;
  changed(uv::WindowChange::kItems);
  return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
  m_tabs.clear();
  m_current = -1;
  changed(uv::WindowChange::kItems);
  return TRUE;
}

BOOL CTabCtrl::GetItem(int item, TCITEM* tab) const {
  if (!tab || item < 0 || item >= GetItemCount()) return FALSE;
  const Tab& t = m_tabs[size_t(item)];
  if ((tab->mask & TCIF_TEXT) && tab->pszText && tab->cchTextMax > 0) {
    std::wstring s = t.text.str().substr(0, size_t(tab->cchTextMax - 1));
    std::copy(s.begin(), s.end(), tab->pszText);
    tab->pszText[s.size()] = 0;
  }
  if (tab->mask & TCIF_PARAM) tab->lParam = t.data;
  tab->iImage = t.image;
  return TRUE;
}

BOOL CTabCtrl::SetItem(int item, const TCITEM* tab) {
  if (!tab || item < 0 || item >= GetItemCount()) return FALSE;
  Tab& t = m_tabs[size_t(item)];
  if (tab->mask & TCIF_TEXT) t.text = tab->pszText ? tab->pszText : L"";
  if (tab->mask & TCIF_PARAM) t.data = tab->lParam;
  changed(uv::WindowChange::kItems);
  return TRUE;
}

int CTabCtrl::SetCurSel(int item) {
  if (item < 0 || item >= GetItemCount()) return -1;
  int old = m_current;
  if (item != m_current) {
    m_current = item;
    changed(uv::WindowChange::kSelection);
  }
  return old;
}

BOOL CTabCtrl::GetItemRect(int item, LPRECT rect) const {
  if (item < 0 || item >= GetItemCount()) return FALSE;
  int left = 2;
  const int charWidth = uv::DialogUnits::standard().baseX;
  for (int i = 0; i < item; ++i) left += m_tabs[size_t(i)].text.GetLength() * charWidth + 12;
  *rect = CRect(left, 2, left + m_tabs[size_t(item)].text.GetLength() * charWidth + 12, kTabRowHeight);
  return TRUE;
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) const {
  if (larger) {
    rect->left -= kBorder;
    rect->right += kBorder;
    rect->bottom += kBorder;
    rect->top -= kTabRowHeight + 2;
  } else {
    rect->left += kBorder;
    rect->right -= kBorder;
    rect->bottom -= kBorder;
    rect->top += kTabRowHeight + 2;
  }
}

CImageList* CTabCtrl::SetImageList(CImageList* list) {
  CImageList* old = m_images;
  m_images = list;
  return old;
}

CString CTabCtrl::itemText(int item) const {
  return item >= 0 && item < GetItemCount() ? m_tabs[size_t(item)].text : CString();
}

bool CTabCtrl::userSelectTab(int item) {
  if (item < 0 || item >= GetItemCount() || item == m_current) return item == m_current;
  NMHDR changing;
  changing.code = TCN_SELCHANGING;
  if (notifyParent(changing)) return false;
  SetCurSel(item);
  NMHDR change;
  change.code = TCN_SELCHANGE;
  notifyParent(change);
  return true;
}

int CTabCtrl::findForScript(const CString& title) const {
  int found = -1;
  for (int i = 0; i < GetItemCount(); ++i) {
    if (m_tabs[size_t(i)].text == title) return i;
    if (uv::equalsNoCase(m_tabs[size_t(i)].text.str(), title.str())) found = found < 0 ? i : -2;
  }
  return found < 0 ? -1 : found;
}

void CTabCtrl::applyUserAction(const uv::DialogAction& action) {
  if (action.verb != L"choose") {
    CWnd::applyUserAction(action);
    return;
  }
  auto byTitle = [this](const CString& title) { return findForScript(title); };
  const int tab = uv::scriptItem(action, 0, byTitle, GetItemCount(), *this, L"page");
  if (!userSelectTab(tab))
    throw uv::DialogActionRefused(describeControl() + L" stays on page \"" + itemText(GetCurSel()).str() +
                                  L"\": the dialog refused to leave it");
}

void CTabCtrl::OnDestroy() {
  m_tabs.clear();
  m_current = -1;
  m_images = nullptr;
}
