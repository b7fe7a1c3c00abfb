// Break lines of a surface from the lines and polylines of the drawing.
// Close saves the engine's surfaces, Cancel does not.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"

class dlg_LinijaLomaTerena : public CModuleDialog {
 public:
  enum { IDD = 205 };

  dlg_LinijaLomaTerena();

  // The surface the break lines go to.
  CString m_strSurfaceName;
};
