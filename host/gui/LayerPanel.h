// The layer panel: every layer of the drawing with a box that turns it on
// or off and its colour, which a double click changes. The panel does not
// change the drawing itself: it says what the person asked for.
#pragma once

#include <string>

#include <QTreeWidget>

class AcDbDatabase;

namespace uv::gui {

class LayerPanel : public QTreeWidget {
  Q_OBJECT

 public:
  explicit LayerPanel(QWidget* parent = nullptr);
  // Shows the layers of db (none for null).
  void refresh(const AcDbDatabase* db);

 signals:
  void layerSwitched(const std::wstring& layer, bool on);
  void layerColourAsked(const std::wstring& layer, int current);

 private:
  bool m_filling = false;
};

}  // namespace uv::gui
