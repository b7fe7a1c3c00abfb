#include "host/gui/LayerPanel.h"

#include <QHeaderView>
#include <QPixmap>

#include "host/LayerSettings.h"
#include "host/render/AciPalette.h"

namespace uv::gui {

LayerPanel::LayerPanel(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("layerPanel"));
  setColumnCount(2);
  setHeaderLabels({QStringLiteral("Layer"), QStringLiteral("Colour")});
  setRootIsDecorated(false);
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::Stretch);
  header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (m_filling || column != 0) return;
    emit layerSwitched(item->text(0).toStdWString(), item->checkState(0) == Qt::Checked);
  });
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
    emit layerColourAsked(item->text(0).toStdWString(), item->data(1, Qt::UserRole).toInt());
  });
}

void LayerPanel::refresh(const AcDbDatabase* db) {
  m_filling = true;
  clear();
  if (db) {
    for (const host::LayerInfo& layer : host::LayerSettings::list(*db)) {
      auto* item = new QTreeWidgetItem(this);
      item->setText(0, QString::fromStdWString(layer.name));
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(0, layer.off ? Qt::Unchecked : Qt::Checked);
      QPixmap swatch(14, 14);
      swatch.fill(render::AciPalette::rgb(layer.colour));
      item->setIcon(1, QIcon(swatch));
      item->setText(1, QString::number(layer.colour));
      item->setData(1, Qt::UserRole, layer.colour);
    }
  }
  m_filling = false;
}

}  // namespace uv::gui
