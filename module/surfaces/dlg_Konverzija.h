// Conversion of the surfaces of the product's previous generation into
// surfaces of the terrain engine. Close saves the engine's surfaces, Cancel
// does not.
#pragma once

#include "ui/CAcUiDialog.h"

class CKVLSurfaceManager;

class dlg_Konverzija : public CAcUiDialog {
 public:
  enum { IDD = 225 };

  dlg_Konverzija();

  // Erase the old record after converting it (check box 258).
  int m_bEraseOld = 1;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  afx_msg void OnBnClickedClose();
  afx_msg LRESULT OnAcadKeepFocus(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  CKVLSurfaceManager* m_pSurfaceManager;
};
