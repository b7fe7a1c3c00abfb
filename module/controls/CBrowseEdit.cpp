#include "module/controls/CBrowseEdit.h"

void CBrowseEdit::EnableFileBrowseButton(LPCTSTR defaultExtension, LPCTSTR filter, DWORD flags) {
  m_defaultExtension = defaultExtension ? defaultExtension : L"";
  m_filter = filter ? filter : L"";
  m_flags = flags;
}

void CBrowseEdit::OnBrowse() {
  CFileDialog dialog(m_save ? FALSE : TRUE, m_defaultExtension, windowText(), m_flags, m_filter, GetParent());
  if (dialog.DoModal() != IDOK) return;
  m_confirmedPath = dialog.OverwriteConfirmed() ? dialog.GetPathName() : CString();
  SetWindowText(dialog.GetPathName());
  SetFocus();
}

bool CBrowseEdit::overwriteConfirmed() const {
  return !m_confirmedPath.IsEmpty() && m_confirmedPath == windowText();
}

void CBrowseEdit::userBrowse() { OnBrowse(); }

void CBrowseEdit::applyUserAction(const uv::DialogAction& action) {
  if (action.verb == L"click")
    userBrowse();
  else
    CEdit::applyUserAction(action);
}
