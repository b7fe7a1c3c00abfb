// Combo boxes, with colour swatches for the host's colour picker.
#pragma once

#include "ui/qt/ControlBinding.h"

namespace uv::qt {

class ComboBinding : public ControlBinding {
 public:
  ComboBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

 protected:
  void refreshState() override;
};

}  // namespace uv::qt
