#include "ui/qt/ListViewBinding.h"

#include <QHeaderView>
#include <QInputDialog>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include "ui/CListCtrl.h"
#include "ui/qt/DialogMetrics.h"
#include "ui/qt/QtImages.h"

namespace uv::qt {

namespace {

// Grid lines drawn over each cell's right and bottom edges, leaving the
// cell's own background (row colours) as it is.
class GridLines : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  bool on = false;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (!on) return;
    painter->save();
    painter->setPen(QColor(0xD8, 0xD8, 0xD8));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
  }
};

}  // namespace

ListViewBinding::ListViewBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics)
    : ControlBinding(control, new QTreeWidget(parent), metrics) {
  auto* tree = static_cast<QTreeWidget*>(widget());
  tree->setRootIsDecorated(false);
  tree->setUniformRowHeights(true);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->header()->setStretchLastSection(false);
  tree->header()->setFont(metrics.font());
  tree->setItemDelegate(new GridLines(tree));
  QObject::connect(tree, &QTreeWidget::itemSelectionChanged, this, [this, tree] {
    if (updating()) return;
    std::vector<int> rows;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
      if (tree->topLevelItem(i)->isSelected()) rows.push_back(i);
    if (rows.empty()) return;
    act([this, rows] { static_cast<CListCtrl&>(this->control()).userSelect(rows, false); }, said(L"select-row", indices(rows)));
    refresh();
  });
  QObject::connect(tree, &QTreeWidget::itemChanged, this, [this, tree](QTreeWidgetItem* item, int column) {
    if (updating() || column != 0) return;
    auto& list = static_cast<CListCtrl&>(this->control());
    const int row = tree->indexOfTopLevelItem(item);
    const bool on = item->checkState(0) == Qt::Checked;
    if ((list.GetCheck(row) != FALSE) != on) act([&] { list.userTick(row, on); }, said(L"tick", {index(row), {on ? L"on" : L"off", false}}));
    refresh();
  });
  QObject::connect(tree, &QTreeWidget::itemDoubleClicked, this, [this, tree](QTreeWidgetItem* item, int column) {
    editCell(tree->indexOfTopLevelItem(item), column);
  });
}

void ListViewBinding::editCell(int row, int column) {
  auto& list = static_cast<CListCtrl&>(control());
  const CellEditor editor = list.cellEditor(row, column);
  const QString title = QString::fromStdWString(control().windowText().str());
  bool ok = false;
  switch (editor.type) {
    case CellEditor::Type::kNone:
      act([&] { list.userDoubleClick(row); }, said(L"double-click", {index(row)}));
      return;
    case CellEditor::Type::kColor:
      act([&] { list.userEditCell(row, column, std::nullopt); }, said(L"edit-cell", {number(row), number(column)}));
      break;
    case CellEditor::Type::kText: {
      QString text = QInputDialog::getText(widget(), title, QString(), QLineEdit::Normal,
                                           QString::fromStdWString(list.GetItemText(row, column).str()), &ok);
      if (ok)
        act([&] { list.userEditCell(row, column, CString(text.toStdWString())); },
            said(L"edit-cell", {number(row), number(column), ControlBinding::text(text.toStdWString())}));
      break;
    }
    case CellEditor::Type::kChoice: {
      QStringList choices;
      for (const auto& c : editor.choices) choices << QString::fromStdWString(c.str());
      QString chosen = QInputDialog::getItem(widget(), title, QString(), choices, std::max(editor.selected, 0), false, &ok);
      if (ok)
        act([&] { list.userEditCell(row, column, CString(chosen.toStdWString())); },
            said(L"edit-cell", {number(row), number(column), ControlBinding::text(chosen.toStdWString())}));
      break;
    }
  }
  refresh();
}

void ListViewBinding::refreshState() {
  auto* tree = static_cast<QTreeWidget*>(widget());
  auto& list = static_cast<CListCtrl&>(control());
  const DWORD style = list.GetStyle();
  const DWORD ex = list.GetExtendedStyle();
  tree->setHeaderHidden((style & LVS_NOCOLUMNHEADER) != 0);
  tree->setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
  static_cast<GridLines*>(tree->itemDelegate())->on = (ex & LVS_EX_GRIDLINES) != 0;
  const int columns = std::max(list.columnCount(), 1);
  tree->setColumnCount(columns);
  QStringList headings;
  for (int c = 0; c < list.columnCount(); ++c) {
    wchar_t heading[256] = {};
    LVCOLUMN column;
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = 256;
    list.GetColumn(c, &column);
    headings << QString::fromWCharArray(heading);
  }
  tree->setHeaderLabels(headings);
  int modelWidths = 0, widths = 0;
  for (int c = 0; c < list.columnCount(); ++c) {
    modelWidths += list.GetColumnWidth(c);
    tree->setColumnWidth(c, metrics().x(list.GetColumnWidth(c)));
    if (c + 1 < list.columnCount()) widths += tree->columnWidth(c);
  }
  // A last column sized to fill the list fills the widget too, whose
  // border and font differ from the model's.
  const int last = list.columnCount() - 1;
  if (last >= 0 && modelWidths >= list.rect().Width() - 8 && modelWidths <= list.rect().Width())
    tree->setColumnWidth(last, std::max(20, tree->width() - 2 * tree->frameWidth() - widths));

  tree->clear();
  const CImageList* images = list.GetImageList(LVSIL_SMALL);
  for (int row = 0; row < list.GetItemCount(); ++row) {
    auto* item = new QTreeWidgetItem(tree);
    for (int c = 0; c < columns; ++c) {
      item->setText(c, QString::fromStdWString(list.GetItemText(row, c).str()));
      const int format = list.columnFormat(c);
      item->setTextAlignment(c, (format == LVCFMT_CENTER ? Qt::AlignHCenter
                                 : format == LVCFMT_RIGHT ? Qt::AlignRight
                                                          : Qt::AlignLeft) | Qt::AlignVCenter);
      const CListCtrl::Colours colours = list.itemColours(row, c);
      if (colours.background != CLR_DEFAULT && colours.background != CLR_NONE)
        item->setBackground(c, colourOf(colours.background));
      if (colours.text != CLR_DEFAULT && colours.text != CLR_NONE) item->setForeground(c, colourOf(colours.text));
    }
    if (images && list.imageOf(row) >= 0) item->setIcon(0, QIcon(pixmapOf(*images, list.imageOf(row))));
    if (ex & LVS_EX_CHECKBOXES) item->setCheckState(0, list.GetCheck(row) ? Qt::Checked : Qt::Unchecked);
    item->setSelected(list.GetItemState(row, LVIS_SELECTED) != 0);
  }
}

}  // namespace uv::qt
