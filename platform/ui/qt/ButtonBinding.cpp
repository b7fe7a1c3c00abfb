#include "ui/qt/ButtonBinding.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "ui/CButton.h"
#include "ui/qt/DialogMetrics.h"
#include "ui/qt/QtImages.h"
#include "ui/qt/QtText.h"

namespace uv::qt {

namespace {

QAbstractButton* makeButton(CWnd& control, QWidget* parent) {
  switch (control.widgetKind()) {
    case WidgetKind::kCheckBox: return new QCheckBox(parent);
    case WidgetKind::kRadioButton: {
      auto* radio = new QRadioButton(parent);
      radio->setAutoExclusive(false);  // the model unchecks the group
      return radio;
    }
    default: return new QPushButton(parent);
  }
}

}  // namespace

ButtonBinding::ButtonBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics)
    : ControlBinding(control, makeButton(control, parent), metrics) {
  auto* button = static_cast<QAbstractButton*>(widget());
  button->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(button, &QAbstractButton::clicked, this, [this] {
    act([this] { static_cast<CButton&>(this->control()).userClick(); }, said(L"click"));
    refresh();  // Qt toggled the box itself; the model's state wins
  });
}

void ButtonBinding::refreshState() {
  auto& model = static_cast<CButton&>(control());
  auto* button = static_cast<QAbstractButton*>(widget());
  button->setText(withoutMnemonic(model.windowText()));
  if (button->isCheckable() || model.widgetKind() == WidgetKind::kCheckBox ||
      model.widgetKind() == WidgetKind::kRadioButton) {
    button->setCheckable(true);
    button->setChecked(model.GetCheck() == BST_CHECKED);
  }
  if (auto* push = qobject_cast<QPushButton*>(button)) {
    push->setDefault((model.GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    push->setAutoDefault(false);
    const void* image = model.GetBitmap() ? static_cast<const void*>(model.GetBitmap())
                                          : static_cast<const void*>(model.GetIcon());
    QPixmap picture = pixmapOf(image);
    push->setIcon(picture.isNull() ? QIcon() : QIcon(picture));
    if (!picture.isNull()) push->setIconSize(picture.size());
  }
}

}  // namespace uv::qt
