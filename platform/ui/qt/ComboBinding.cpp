#include "ui/qt/ComboBinding.h"

#include <QComboBox>
#include <QLineEdit>

#include "ui/AciColors.h"
#include "ui/CAcUiColorComboBox.h"
#include "ui/CComboBox.h"
#include "ui/qt/DialogMetrics.h"
#include "ui/qt/QtImages.h"

namespace uv::qt {

ComboBinding::ComboBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics)
    : ControlBinding(control, new QComboBox(parent), metrics) {
  auto* combo = static_cast<QComboBox*>(widget());
  auto& model = static_cast<CComboBox&>(control);
  combo->setEditable(!model.isDropDownList());
  QObject::connect(combo, &QComboBox::activated, this, [this](int index) {
    act([this, index] { static_cast<CComboBox&>(this->control()).userChoose(index); }, said(L"choose", {ControlBinding::index(index)}));
    refresh();
  });
  if (combo->lineEdit())
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
      act([this, text] { static_cast<CComboBox&>(this->control()).userSetText(CString(text.toStdWString())); },
          said(L"set", {ControlBinding::text(text.toStdWString())}));
    });
}

void ComboBinding::refreshState() {
  auto* combo = static_cast<QComboBox*>(widget());
  auto& model = static_cast<CComboBox&>(control());
  // The rectangle of a combo box includes its open list; the widget is one line high.
  QRect r = combo->geometry();
  r.setHeight(std::min(r.height(), metrics().baseY() + 9));
  combo->setGeometry(r);
  const auto* colours = dynamic_cast<const CAcUiColorComboBox*>(&model);
  combo->clear();
  for (int i = 0; i < model.GetCount(); ++i) {
    CString text;
    model.GetLBText(i, text);
    QIcon icon;
    if (colours) {
      const int index = colours->GetItemColorIndex(i);
      if (index > 0 && index < 256) icon = swatch(aciToRgb(index));
    }
    combo->addItem(icon, QString::fromStdWString(text.str()));
  }
  combo->setCurrentIndex(model.GetCurSel());
  if (combo->isEditable()) combo->setEditText(QString::fromStdWString(model.windowText().str()));
}

}  // namespace uv::qt
