// List boxes, single or multiple selection.
#pragma once

#include "ui/qt/ControlBinding.h"

namespace uv::qt {

class ListBoxBinding : public ControlBinding {
 public:
  ListBoxBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

 protected:
  void refreshState() override;
};

}  // namespace uv::qt
