// The host's dialog base for dialogs of the CAD application; the module's
// dialogs derive from it.
#pragma once

#include "ui/CAdUiDialog.h"

class CAcUiDialog : public CAdUiDialog {
 public:
  explicit CAcUiDialog(UINT templateId = 0, CWnd* parent = nullptr, HINSTANCE resources = nullptr)
      : CAdUiDialog(templateId, parent, resources) {}
};
