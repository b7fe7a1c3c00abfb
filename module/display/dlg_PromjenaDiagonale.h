// Swapping the common diagonal of two adjacent triangles of a surface.
// Close saves the engine's surfaces, Cancel does not.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"

class dlg_PromjenaDiagonale : public CModuleDialog {
 public:
  enum { IDD = 204 };

  dlg_PromjenaDiagonale();

  // The surface whose triangles are swapped.
  CString m_strSurfaceName;
};
