// Swapping the common diagonal of two adjacent triangles of a surface.
// Close saves the engine's surfaces, Cancel does not.
#pragma once

#include "base/CString.h"
#include "ui/CAcUiDialog.h"

class CKVLSurfaceManager;

class dlg_PromjenaDiagonale : public CAcUiDialog {
 public:
  enum { IDD = 204 };

  dlg_PromjenaDiagonale();

  // The surface whose triangles are swapped.
  CString m_strSurfaceName;

 protected:
  afx_msg void OnBnClickedClose();
  afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
};
