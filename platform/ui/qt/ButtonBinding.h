// Push buttons (with or without a picture), check boxes and radio buttons.
// A click is the model's click: the model checks and unchecks, Qt does not.
#pragma once

#include "ui/qt/ControlBinding.h"

namespace uv::qt {

class ButtonBinding : public ControlBinding {
 public:
  ButtonBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

 protected:
  void refreshState() override;
};

}  // namespace uv::qt
