// Break lines of a surface from the lines and polylines of the drawing.
// Close saves the engine's surfaces, Cancel does not.
#pragma once

#include "base/CString.h"
#include "ui/CAcUiDialog.h"

class CKVLSurfaceManager;

class dlg_LinijaLomaTerena : public CAcUiDialog {
 public:
  enum { IDD = 205 };

  dlg_LinijaLomaTerena();

  // The surface the break lines go to.
  CString m_strSurfaceName;

 protected:
  afx_msg void OnBnClickedClose();
  afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
};
