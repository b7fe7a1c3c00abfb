// The base of the module's single-page dialogs: built from the module's
// template without a parent window, holding the current drawing's surface
// manager from its construction on, answering the host's keep-focus query
// with TRUE, and ending with Close (8) when its Close button is pressed,
// after having the engine save its surfaces when the dialog saves on Close.
#pragma once

#include "ui/CAcUiDialog.h"

class CKVLSurfaceManager;

class CModuleDialog : public CAcUiDialog {
 protected:
  enum class CloseSaves { kNo, kYes };

  explicit CModuleDialog(UINT templateId, CloseSaves closeSaves = CloseSaves::kNo);

  afx_msg void OnBnClickedClose();
  afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

  CKVLSurfaceManager* m_pSurfaceManager;

 private:
  CloseSaves m_closeSaves;
};
