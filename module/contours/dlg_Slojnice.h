// Contour lines of a surface in a major and a minor class, each with its
// colour, linetype, line weight and levels.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"

class dlg_Slojnice : public CModuleDialog {
 public:
  enum { IDD = 226 };

  dlg_Slojnice();

  // The surface contoured.
  CString m_strSurfaceName;
  // Levels of each class: 0 by interval over a range, 1 as a list.
  int m_nMajorMode = 0;
  int m_nMinorMode = 0;
  int m_bDrawAtZero = 0;
  int m_bGroup = 0;
  int m_bDrawMinor = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
