#include "ui/CComboBox.h"

#include "ui/ScriptArguments.h"
#include "user/DialogAction.h"

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(L"ComboBox", L"", style, rect, parent, id);
}

void CComboBox::showCurrentText() {
  CString text = m_items.valid(m_current) ? m_items.at(m_current).text : CString();
  CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

int CComboBox::AddString(LPCTSTR text) {
  CString t(text ? text : L"");
  int index = (GetStyle() & CBS_SORT) ? m_items.sortedPosition(t) : -1;
  return InsertString(index, t);
}

int CComboBox::InsertString(int index, LPCTSTR text) {
  if (index < -1 || index > GetCount()) return CB_ERR;
  int at = m_items.insert(index, CString(text ? text : L""));
  if (m_current >= at) ++m_current;
  changed(uv::WindowChange::kItems);
  return at;
}

int CComboBox::DeleteString(UINT index) {
  if (!m_items.valid(int(index))) return CB_ERR;
  m_items.remove(int(index));
  if (m_current == int(index)) {
    m_current = -1;
    showCurrentText();
  } else if (m_current > int(index)) {
    --m_current;
  }
  changed(uv::WindowChange::kItems);
  return GetCount();
}

void CComboBox::ResetContent() {
  m_items.clear();
  m_current = -1;
  showCurrentText();
  changed(uv::WindowChange::kItems);
}

int CComboBox::SetCurSel(int index) {
  if (index != -1 && !m_items.valid(index)) {
    index = -1;
  }
  if (index != m_current) {
    m_current = index;
    changed(uv::WindowChange::kSelection);
  }
  showCurrentText();
  return index == -1 ? CB_ERR : index;
}

void CComboBox::GetLBText(int index, CString& text) const {
  text = m_items.valid(index) ? m_items.at(index).text : CString();
}

int CComboBox::GetLBTextLen(int index) const { return m_items.valid(index) ? m_items.at(index).text.GetLength() : CB_ERR; }

int CComboBox::FindString(int startAfter, LPCTSTR prefix) const {
  return m_items.findPrefix(startAfter, CString(prefix ? prefix : L""));
}

int CComboBox::FindStringExact(int startAfter, LPCTSTR text) const {
  return m_items.findExact(startAfter, CString(text ? text : L""));
}

int CComboBox::SelectString(int startAfter, LPCTSTR prefix) {
  int found = FindString(startAfter, prefix);
  if (found == CB_ERR) return CB_ERR;
  SetCurSel(found);
  return found;
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
  if (!m_items.valid(index)) return CB_ERR;
  m_items.at(index).data = data;
  return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
  return m_items.valid(index) ? m_items.at(index).data : DWORD_PTR(CB_ERR);
}

void CComboBox::userChoose(int index) {
  if (!m_items.valid(index))
    throw uv::DialogActionRefused(describeControl() + L" has no item " + std::to_wstring(index) + L" (it has " +
                                  std::to_wstring(GetCount()) + L")");
  m_beforeChoice = m_current;
  SetCurSel(index);
  notifyParent(CBN_SELENDOK);
  notifyParent(CBN_SELCHANGE);
}

void CComboBox::userSetText(const CString& text) {
  if (isDropDownList())
    throw uv::DialogActionRefused(describeControl() + L" is a drop-down list; choose one of its items");
  CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.GetString()));
  if (m_current != -1) {
    m_current = -1;
    changed(uv::WindowChange::kSelection);
  }
  notifyParent(CBN_EDITCHANGE);
}

void CComboBox::applyUserAction(const uv::DialogAction& action) {
  if (action.verb == L"choose") {
    auto byText = [this](const CString& text) { return findForScript(text); };
    userChoose(uv::scriptItem(action, 0, byText, GetCount(), *this, L"item"));
  } else if (action.verb == L"set" || action.verb == L"type") {
    userSetText(CString(action.value(0)));
  } else {
    CWnd::applyUserAction(action);
  }
}

void CComboBox::OnDestroy() {
  m_items.clear();
  m_current = m_beforeChoice = -1;
}
