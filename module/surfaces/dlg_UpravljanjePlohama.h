// The surface manager: the surfaces of the current drawing and the
// operations on them. The engine's surfaces are saved however the dialog
// ends, when it is destroyed.
#pragma once

#include "ui/CAcUiDialog.h"

class CKVLSurfaceManager;

class dlg_UpravljanjePlohama : public CAcUiDialog {
 public:
  enum { IDD = 209 };

  dlg_UpravljanjePlohama();
  ~dlg_UpravljanjePlohama() override;

 protected:
  afx_msg void OnBnClickedClose();
  afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
};
