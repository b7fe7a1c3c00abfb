// List views in report view: headings and widths, rows with their images,
// check boxes and colours (asked of the dialog as drawing would), the
// selection, and cells edited the way the list says (a text, a choice, or
// the colour dialog) on a double click.
#pragma once

#include "ui/qt/ControlBinding.h"

class QTreeWidgetItem;

namespace uv::qt {

class ListViewBinding : public ControlBinding {
 public:
  ListViewBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

 protected:
  void refreshState() override;

 private:
  void editCell(int row, int column);
};

}  // namespace uv::qt
