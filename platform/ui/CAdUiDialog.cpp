#include "ui/CAdUiDialog.h"

#include "ui/AfxWin.h"

CAdUiDialog::CAdUiDialog(UINT templateId, CWnd* parent, HINSTANCE) : CDialog(templateId, parent) {}

void CAdUiDialog::BeginEditorCommand() {
  if (m_editing) return;
  m_editing = true;
  m_hidden.clear();
  const auto& open = CDialog::openModalDialogs();
  for (auto it = open.rbegin(); it != open.rend(); ++it)
    if ((*it)->IsWindowVisible()) {
      m_hidden.push_back((*it)->GetSafeHwnd());
      (*it)->ShowWindow(SW_HIDE);
    }
  CWnd* main = AfxGetMainWnd();
  m_mainWasEnabled = main->IsWindowEnabled() != FALSE;
  main->EnableWindow(TRUE);
  main->SetFocus();
}

void CAdUiDialog::CompleteEditorCommand(BOOL restoreDialogs) {
  if (!m_editing) return;
  m_editing = false;
  if (!restoreDialogs) return;
  for (auto it = m_hidden.rbegin(); it != m_hidden.rend(); ++it)
    if (CWnd* w = CWnd::FromHandle(*it)) w->ShowWindow(SW_SHOW);
  m_hidden.clear();
  if (!m_mainWasEnabled) AfxGetMainWnd()->EnableWindow(FALSE);
  SetFocus();
}

void CAdUiDialog::CancelEditorCommand() { CompleteEditorCommand(TRUE); }
