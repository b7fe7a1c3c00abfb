// The colour dialog of the desktop program: the 255 colours of the colour
// index in a grid, ByLayer and ByBlock when the question allows them, and
// the chosen number. OK gives the number, Cancel nothing.
#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;

namespace uv::gui {

class AciColorDialog : public QDialog {
 public:
  AciColorDialog(int initial, bool allowMetaColors, QWidget* parent = nullptr);
  // 1-255, or 0 (ByBlock) and 256 (ByLayer) when allowed.
  int colour() const;
  void setColour(int colour);

 private:
  QSpinBox* m_number;
  QLabel* m_swatch;
  bool m_meta;
};

}  // namespace uv::gui
