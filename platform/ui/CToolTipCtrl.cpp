#include "ui/CToolTipCtrl.h"

#include "ui/Resources.h"

BOOL CToolTipCtrl::Create(CWnd*, DWORD) {
  m_created = true;
  return TRUE;
}

CToolTipCtrl::Tool* CToolTipCtrl::find(CWnd* window) {
  for (auto& t : m_tools)
    if (window && t.window == window->GetSafeHwnd()) return &t;
  return nullptr;
}

const CToolTipCtrl::Tool* CToolTipCtrl::find(CWnd* window) const { return const_cast<CToolTipCtrl*>(this)->find(window); }

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCTSTR text, LPCRECT, UINT_PTR) {
  if (!window || !window->GetSafeHwnd()) return FALSE;
  CString t = text == LPSTR_TEXTCALLBACK || !text ? CString() : CString(text);
  if (Tool* existing = find(window))
    existing->text = t;
  else
    m_tools.push_back({window->GetSafeHwnd(), t});
  if (m_active) window->setToolTip(t);
  return TRUE;
}

BOOL CToolTipCtrl::AddTool(CWnd* window, UINT textId, LPCRECT rect, UINT_PTR toolId) {
  const std::wstring text = uv::Resources::instance().message(textId);
  return AddTool(window, text.c_str(), rect, toolId);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* window, UINT_PTR) {
  if (Tool* t = find(window)) {
    t->text = text ? text : L"";
    if (m_active) window->setToolTip(t->text);
  }
}

void CToolTipCtrl::DelTool(CWnd* window, UINT_PTR) {
  for (auto it = m_tools.begin(); it != m_tools.end(); ++it)
    if (window && it->window == window->GetSafeHwnd()) {
      m_tools.erase(it);
      window->setToolTip(CString());
      return;
    }
}

void CToolTipCtrl::Activate(BOOL activate) {
  m_active = activate != FALSE;
  for (const auto& t : m_tools)
    if (CWnd* w = CWnd::FromHandle(t.window)) w->setToolTip(m_active ? t.text : CString());
}

void CToolTipCtrl::GetText(CString& text, CWnd* window, UINT_PTR) const {
  const Tool* t = find(window);
  text = t ? t->text : CString();
}
