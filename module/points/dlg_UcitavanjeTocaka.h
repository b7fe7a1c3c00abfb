// Loading survey points into a surface: a frame of two pages under the tab
// control 204. Close ends the dialog and saves the engine's surfaces;
// Cancel saves nothing.
#pragma once

#include "base/CString.h"
#include "ui/CAdUiTabMainDialog.h"

class CKVLSurfaceManager;

class dlg_UcitavanjeTocaka : public CAcUiTabMainDialog {
 public:
  enum { IDD = 200 };

  dlg_UcitavanjeTocaka();

  // The surface the points go to.
  CString m_strSurfaceName;

 protected:
  afx_msg void OnBnClickedClose();
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
};
