// Projection of drawing entities onto a surface: the entity types and
// layers a selection may take, and the button that selects and projects.
// Close ends it; nothing is saved.
#pragma once

#include "base/CString.h"
#include "module/components/CModuleDialog.h"

class dlg_Projekcija : public CModuleDialog {
 public:
  enum { IDD = 207 };

  dlg_Projekcija();

  // The surface projected onto.
  CString m_strSurfaceName;
};
