// The host's dialog base. It adds the editor-command services: a dialog
// that lets the person work in the drawing (pick points, select entities)
// calls BeginEditorCommand, which hides every open modal dialog and
// enables the host's main window, and CompleteEditorCommand (or
// CancelEditorCommand) afterwards, which shows them again.
#pragma once

#include <vector>

#include "ui/CDialog.h"

// The host asks a dialog whether it keeps the focus; dialogs answer TRUE
// with ON_MESSAGE(WM_ACAD_KEEPFOCUS, ...).
constexpr UINT WM_ACAD_KEEPFOCUS = WM_USER + 0x6D01;

class CAdUiDialog : public CDialog {
 public:
  explicit CAdUiDialog(UINT templateId = 0, CWnd* parent = nullptr, HINSTANCE resources = nullptr);

  void BeginEditorCommand();
  // restoreDialogs FALSE leaves the dialogs hidden (the dialog is ending).
  void CompleteEditorCommand(BOOL restoreDialogs = TRUE);
  // The interaction was cancelled: the dialogs come back as after Complete.
  void CancelEditorCommand();
  bool editorCommandActive() const { return m_editing; }

 private:
  bool m_editing = false;
  std::vector<HWND> m_hidden;
  bool m_mainWasEnabled = false;
};
