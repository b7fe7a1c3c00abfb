#include "ui/CEdit.h"

#include <algorithm>

#include "ui/Clipboard.h"
#include "user/DialogAction.h"
#include "ui/Feedback.h"

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(L"Edit", L"", style, rect, parent, id);
}

void CEdit::takeOver(CWnd& from) {
  if (auto* e = dynamic_cast<CEdit*>(&from)) m_limit = e->m_limit;
}

void CEdit::SetLimitText(UINT max) { m_limit = max; }

BOOL CEdit::SetReadOnly(BOOL readOnly) {
  ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
  return TRUE;
}

void CEdit::SetSel(int start, int end, BOOL) {
  const int length = GetWindowTextLength();
  if (start < 0) {
    m_selStart = m_selEnd = std::clamp(m_selEnd, 0, length);
    return;
  }
  if (end < 0 || end > length) end = length;
  start = std::min(start, length);
  m_selStart = std::min(start, end);
  m_selEnd = std::max(start, end);
}

void CEdit::GetSel(int& start, int& end) const {
  start = m_selStart;
  end = m_selEnd;
}

void CEdit::replaceSelection(const CString& inserted) {
  CString text = windowText();
  const int start = std::clamp(m_selStart, 0, text.GetLength());
  const int end = std::clamp(m_selEnd, start, text.GetLength());
  CString next = text.Left(start) + inserted + text.Mid(end);
  // The caret goes where the insertion ends, before observers hear of the
  // new text; WM_SETTEXT would move it to the start.
  m_selStart = m_selEnd = start + inserted.GetLength();
  CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(next.GetString()));
  notifyParent(EN_CHANGE);
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL) {
  CString inserted(text ? text : L"");
  if (m_limit) {
    const int room = int(m_limit) - (GetWindowTextLength() - (m_selEnd - m_selStart));
    inserted = inserted.Left(std::max(room, 0));
  }
  replaceSelection(inserted);
}

void CEdit::OnChar(UINT ch, UINT, UINT) {
  if (isReadOnly()) {
    MessageBeep(MB_OK);
    return;
  }
  if (ch == L'\b') {
    if (m_selStart == m_selEnd && m_selStart > 0) --m_selStart;
    replaceSelection(CString());
    return;
  }
  if ((GetStyle() & ES_NUMBER) && (ch < L'0' || ch > L'9')) {
    MessageBeep(MB_OK);
    return;
  }
  if (m_limit && GetWindowTextLength() - (m_selEnd - m_selStart) >= int(m_limit)) {
    MessageBeep(MB_OK);
    return;
  }
  replaceSelection(CString(wchar_t(ch)));
}

void CEdit::OnPaste() {
  if (isReadOnly()) return;
  ReplaceSel(uv::Clipboard::text());
}

LRESULT CEdit::WindowProc(UINT message, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (OnWndMsg(message, wp, lp, &result)) return result;
  if (message == WM_CHAR) {
    OnChar(UINT(wp), 1, 0);
    return 0;
  }
  if (message == WM_PASTE) {
    OnPaste();
    return 0;
  }
  return DefWindowProc(message, wp, lp);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_SETTEXT) {
    LRESULT r = CWnd::DefWindowProc(message, wp, lp);
    m_selStart = m_selEnd = 0;
    notifyParent(EN_CHANGE);
    return r;
  }
  return CWnd::DefWindowProc(message, wp, lp);
}

void CEdit::applyUserAction(const uv::DialogAction& action) {
  if ((action.verb == L"set" || action.verb == L"type") && isReadOnly())
    throw uv::DialogActionRefused(describeControl() + L" is read-only");
  if (action.verb == L"set")
    userPaste(CString(action.value(0)));
  else if (action.verb == L"type")
    userType(CString(action.value(0)));
  else
    CWnd::applyUserAction(action);
}

void CEdit::userType(const CString& text) {
  SetSel(0, -1);
  // Typing nothing over the selected text is pressing Delete.
  if (text.IsEmpty()) SendMessage(WM_CHAR, WPARAM(L'\b'), 1);
  for (int i = 0; i < text.GetLength(); ++i) SendMessage(WM_CHAR, WPARAM(text[i]), 1);
}

void CEdit::userPaste(const CString& text) {
  SetSel(0, -1);
  uv::Clipboard::setText(text);
  SendMessage(WM_PASTE);
}
