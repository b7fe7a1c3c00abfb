// Static texts, group boxes, etched frames and lines.
#pragma once

#include "ui/qt/ControlBinding.h"

namespace uv::qt {

class LabelBinding : public ControlBinding {
 public:
  LabelBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

 protected:
  void refreshState() override;
};

}  // namespace uv::qt
