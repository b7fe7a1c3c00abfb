// Labels on the contour lines that a path picked in the drawing crosses.
#pragma once

#include "base/CString.h"
#include "ui/CAcUiDialog.h"

class CKVLSurfaceManager;

class dlg_SlojniceOznacavanje : public CAcUiDialog {
 public:
  enum { IDD = 227 };

  dlg_SlojniceOznacavanje();

  // The surface whose contour lines are labelled.
  CString m_strSurfaceName;
  // Put the labels into one group.
  int m_bGroup = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
};
