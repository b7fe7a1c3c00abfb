// Edit fields. Keys and pastes are not given to the line edit: each typed
// character goes to the model's field (WM_CHAR, where the field's filter
// decides), a paste goes there as WM_PASTE, and the widget then shows the
// model's text and caret. A file field gets a "..." button that presses
// the model's browse button.
#pragma once

#include "ui/qt/ControlBinding.h"

class QLineEdit;

namespace uv::qt {

class EditBinding : public ControlBinding {
 public:
  EditBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

 protected:
  void refreshState() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Tells the model where the widget's caret and selection are.
  void syncSelection();
  void tellText();
  QLineEdit* m_line = nullptr;
};

}  // namespace uv::qt
