// An edit field. Text typed by a person arrives one character at a time
// (WM_CHAR, OnChar) and replaces the selection; a paste (WM_PASTE, OnPaste)
// inserts the clipboard's text. The base rules are those of Windows: a
// read-only field takes nothing, a digits-only field (ES_NUMBER) refuses
// typed non-digits but not pasted ones, and typing stops at the length
// limit; refused characters beep. Every change sends EN_CHANGE, also
// SetWindowText. Derived fields filter by overriding OnChar and OnPaste.
#pragma once

#include "ui/CWnd.h"

class CEdit : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetLimitText(UINT max);
  void LimitText(int max = 0) { SetLimitText(UINT(max)); }
  // 0x7FFFFFFE when no limit was set, as Windows reports it.
  UINT GetLimitText() const { return m_limit ? m_limit : 0x7FFFFFFE; }
  BOOL SetReadOnly(BOOL readOnly = TRUE);
  bool isReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }

  // end -1 selects to the end of the text; start -1 removes the selection.
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void SetSel(DWORD selection, BOOL noScroll = FALSE) { SetSel(int(LOWORD(selection)), int(HIWORD(selection)), noScroll); }
  void GetSel(int& start, int& end) const;
  DWORD GetSel() const { return DWORD(m_selStart) | (DWORD(m_selEnd) << 16); }
  // Replaces the selection (up to the length limit) and sends EN_CHANGE.
  void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
  void Clear() { ReplaceSel(L""); }
  void Paste() { SendMessage(WM_PASTE); }

  // A person types the text into the field: the field's text is selected
  // first, then each character arrives as a key press.
  void userType(const CString& text);
  // A person pastes the text over the field's whole text.
  void userPaste(const CString& text);

  void applyUserAction(const uv::DialogAction& action) override;
  const wchar_t* windowClassName() const override { return L"Edit"; }

 protected:
  // One typed character; the base inserts it as Windows would (a backspace
  // deletes). Derived fields call it for the characters they accept.
  virtual void OnChar(UINT ch, UINT repeat, UINT flags);
  // The clipboard's text is pasted; the base inserts it, cut at the limit.
  virtual void OnPaste();

  uv::WidgetKind kind() const override { return uv::WidgetKind::kEdit; }
  void takeOver(CWnd& from) override;
  LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;
  LRESULT DefWindowProc(UINT message, WPARAM wp, LPARAM lp) override;

 private:
  void replaceSelection(const CString& text);

  UINT m_limit = 0;
  int m_selStart = 0;
  int m_selEnd = 0;
};
