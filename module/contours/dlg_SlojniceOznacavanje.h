// Labels on the contour lines that a path picked in the drawing crosses.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"

class dlg_SlojniceOznacavanje : public CModuleDialog {
 public:
  enum { IDD = 227 };

  dlg_SlojniceOznacavanje();

  // The surface whose contour lines are labelled.
  CString m_strSurfaceName;
  // Put the labels into one group.
  int m_bGroup = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
