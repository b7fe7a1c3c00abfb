// The surface manager: the surfaces of the current drawing and the
// operations on them. The engine's surfaces are saved however the dialog
// ends, when it is destroyed.
#pragma once

#include "module/components/CModuleDialog.h"

class dlg_UpravljanjePlohama : public CModuleDialog {
 public:
  enum { IDD = 209 };

  dlg_UpravljanjePlohama();
  ~dlg_UpravljanjePlohama() override;
};
