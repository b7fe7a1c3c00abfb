// Projection of drawing entities onto a surface: the entity types and
// layers a selection may take, and the button that selects and projects.
// Close ends it; nothing is saved.
#pragma once

#include "base/CString.h"
#include "ui/CAcUiDialog.h"

class CKVLSurfaceManager;

class dlg_Projekcija : public CAcUiDialog {
 public:
  enum { IDD = 207 };

  dlg_Projekcija();

  // The surface projected onto.
  CString m_strSurfaceName;

 protected:
  afx_msg void OnBnClickedClose();
  afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
};
