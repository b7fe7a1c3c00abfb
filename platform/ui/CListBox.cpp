#include "ui/CListBox.h"

#include "ui/ScriptArguments.h"
#include "user/DialogAction.h"

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(L"ListBox", L"", style, rect, parent, id);
}

int CListBox::AddString(LPCTSTR text) {
  CString t(text ? text : L"");
  return InsertString((GetStyle() & LBS_SORT) ? m_items.sortedPosition(t) : -1, t);
}

int CListBox::InsertString(int index, LPCTSTR text) {
  if (index < -1 || index > GetCount()) return LB_ERR;
  int at = m_items.insert(index, CString(text ? text : L""));
  m_selected.insert(m_selected.begin() + at, false);
  if (m_caret >= at) ++m_caret;
  changed(uv::WindowChange::kItems);
  return at;
}

int CListBox::DeleteString(UINT index) {
  if (!m_items.valid(int(index))) return LB_ERR;
  m_items.remove(int(index));
  m_selected.erase(m_selected.begin() + index);
  if (m_caret == int(index)) m_caret = -1;
  else if (m_caret > int(index)) --m_caret;
  changed(uv::WindowChange::kItems);
  return GetCount();
}

void CListBox::ResetContent() {
  m_items.clear();
  m_selected.clear();
  m_caret = -1;
  changed(uv::WindowChange::kItems);
}

void CListBox::GetText(int index, CString& text) const { text = m_items.valid(index) ? m_items.at(index).text : CString(); }
int CListBox::GetTextLen(int index) const { return m_items.valid(index) ? m_items.at(index).text.GetLength() : LB_ERR; }

int CListBox::FindString(int startAfter, LPCTSTR prefix) const {
  return m_items.findPrefix(startAfter, CString(prefix ? prefix : L""));
}

int CListBox::FindStringExact(int startAfter, LPCTSTR text) const {
  return m_items.findExact(startAfter, CString(text ? text : L""));
}

int CListBox::SelectString(int startAfter, LPCTSTR prefix) {
  int found = FindString(startAfter, prefix);
  if (found != LB_ERR) SetCurSel(found);
  return found;
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
  if (!m_items.valid(index)) return LB_ERR;
  m_items.at(index).data = data;
  return 0;
}

DWORD_PTR CListBox::GetItemData(int index) const {
  return m_items.valid(index) ? m_items.at(index).data : DWORD_PTR(LB_ERR);
}

int CListBox::GetCurSel() const {
  if (isMultipleSelection()) return m_caret;
  for (int i = 0; i < GetCount(); ++i)
    if (m_selected[size_t(i)]) return i;
  return LB_ERR;
}

int CListBox::SetCurSel(int index) {
  if (isMultipleSelection()) return LB_ERR;
  if (index != -1 && !m_items.valid(index)) return LB_ERR;
  for (size_t i = 0; i < m_selected.size(); ++i) m_selected[i] = int(i) == index;
  m_caret = index;
  changed(uv::WindowChange::kSelection);
  return index;
}

int CListBox::GetSel(int index) const { return m_items.valid(index) && m_selected[size_t(index)] ? 1 : 0; }

int CListBox::SetSel(int index, BOOL select) {
  if (!isMultipleSelection()) return LB_ERR;
  if (index == -1) {
    for (size_t i = 0; i < m_selected.size(); ++i) m_selected[i] = select != FALSE;
  } else if (m_items.valid(index)) {
    m_selected[size_t(index)] = select != FALSE;
  } else {
    return LB_ERR;
  }
  changed(uv::WindowChange::kSelection);
  return 0;
}

int CListBox::GetSelCount() const {
  if (!isMultipleSelection()) return LB_ERR;
  int n = 0;
  for (bool s : m_selected) n += s ? 1 : 0;
  return n;
}

int CListBox::GetSelItems(int maxItems, LPINT items) const {
  if (!isMultipleSelection()) return LB_ERR;
  int n = 0;
  for (int i = 0; i < GetCount() && n < maxItems; ++i)
    if (m_selected[size_t(i)]) items[n++] = i;
  return n;
}

void CListBox::userSelect(const std::vector<int>& rows, bool add) {
  for (int row : rows)
    if (!m_items.valid(row))
      throw uv::DialogActionRefused(describeControl() + L" has no row " + std::to_wstring(row) + L" (it has " +
                                    std::to_wstring(GetCount()) + L")");
  if (!isMultipleSelection() && (rows.size() != 1 || add))
    throw uv::DialogActionRefused(describeControl() + L" selects one row at a time");
  if (!add) m_selected.assign(m_selected.size(), false);
  for (int row : rows) m_selected[size_t(row)] = true;
  m_caret = rows.empty() ? m_caret : rows.back();
  changed(uv::WindowChange::kSelection);
  notifyParent(LBN_SELCHANGE);
}

void CListBox::userDoubleClick(int row) {
  userSelect({row}, false);
  notifyParent(LBN_DBLCLK);
}

void CListBox::applyUserAction(const uv::DialogAction& action) {
  auto byText = [this](const CString& text) { return findForScript(text); };
  if (action.verb == L"choose" || action.verb == L"select-row")
    userSelect(uv::scriptItems(action, 0, byText, GetCount(), *this, L"row"), false);
  else if (action.verb == L"add-row")
    userSelect(uv::scriptItems(action, 0, byText, GetCount(), *this, L"row"), true);
  else if (action.verb == L"double-click")
    userDoubleClick(uv::scriptItem(action, 0, byText, GetCount(), *this, L"row"));
  else
    CWnd::applyUserAction(action);
}

void CListBox::OnDestroy() {
  m_items.clear();
  m_selected.clear();
  m_caret = -1;
}
