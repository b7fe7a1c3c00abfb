#include "module/controls/CAlphanumericEdit.h"

#include "module/controls/RefusedCharacters.h"
#include "ui/Clipboard.h"
#include "ui/Feedback.h"

void CAlphanumericEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (ch != L'\b' && m_refused.Find(wchar_t(ch)) >= 0) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  CEdit::OnChar(ch, repeat, flags);
}

void CAlphanumericEdit::OnPaste() {
  if (isReadOnly()) return;
  ReplaceSel(uv::withoutRefused(uv::Clipboard::text().str(), m_refused.str()).c_str());
}
