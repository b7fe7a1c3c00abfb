// Tab controls: the row of tabs. The pages are child dialogs of the model,
// shown by the dialog view like any dialog.
#pragma once

#include "ui/qt/ControlBinding.h"

namespace uv::qt {

class TabBinding : public ControlBinding {
 public:
  TabBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

 protected:
  void refreshState() override;
};

}  // namespace uv::qt
