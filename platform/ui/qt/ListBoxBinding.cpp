#include "ui/qt/ListBoxBinding.h"

#include <QListWidget>

#include "ui/CListBox.h"
#include "ui/qt/DialogMetrics.h"

namespace uv::qt {

ListBoxBinding::ListBoxBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics)
    : ControlBinding(control, new QListWidget(parent), metrics) {
  auto* list = static_cast<QListWidget*>(widget());
  auto& model = static_cast<CListBox&>(control);
  list->setSelectionMode(model.isMultipleSelection() ? QAbstractItemView::ExtendedSelection
                                                     : QAbstractItemView::SingleSelection);
  QObject::connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
    if (updating()) return;
    std::vector<int> rows;
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->isSelected()) rows.push_back(i);
    if (rows.empty()) return;
    act([this, rows] { static_cast<CListBox&>(this->control()).userSelect(rows, false); }, said(L"select-row", indices(rows)));
    refresh();
  });
  QObject::connect(list, &QListWidget::itemDoubleClicked, this, [this, list](QListWidgetItem* item) {
    const int row = list->row(item);
    act([this, row] { static_cast<CListBox&>(this->control()).userDoubleClick(row); }, said(L"double-click", {index(row)}));
  });
}

void ListBoxBinding::refreshState() {
  auto* list = static_cast<QListWidget*>(widget());
  auto& model = static_cast<CListBox&>(control());
  list->clear();
  for (int i = 0; i < model.GetCount(); ++i) {
    CString text;
    model.GetText(i, text);
    auto* item = new QListWidgetItem(QString::fromStdWString(text.str()), list);
    item->setSelected(model.isMultipleSelection() ? model.GetSel(i) != 0 : model.GetCurSel() == i);
  }
}

}  // namespace uv::qt
