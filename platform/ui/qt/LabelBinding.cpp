#include "ui/qt/LabelBinding.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "ui/CWnd.h"
#include "ui/qt/DialogMetrics.h"
#include "ui/qt/QtText.h"

namespace uv::qt {

namespace {

QWidget* makeWidget(CWnd& control, QWidget* parent) {
  switch (control.widgetKind()) {
    case WidgetKind::kGroupBox: {
      // The title sits on the frame's top line, as Windows draws it.
      auto* group = new QGroupBox(parent);
      group->setStyleSheet(QStringLiteral(
          "QGroupBox { border: 1px solid #b4b4b4; border-radius: 2px; margin-top: 6px; }"
          "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 7px; padding: 0 2px; }"));
      return group;
    }
    case WidgetKind::kFrame: {
      auto* frame = new QFrame(parent);
      frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
      return frame;
    }
    case WidgetKind::kLine: {
      auto* line = new QFrame(parent);
      line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
      return line;
    }
    default: return new QLabel(parent);
  }
}

}  // namespace

LabelBinding::LabelBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics)
    : ControlBinding(control, makeWidget(control, parent), metrics) {
  if (control.widgetKind() == WidgetKind::kGroupBox) widget()->lower();  // behind the controls it frames
}

void LabelBinding::refreshState() {
  if (auto* group = qobject_cast<QGroupBox*>(widget())) {
    group->setTitle(withoutMnemonic(control().windowText()));
  } else if (auto* label = qobject_cast<QLabel*>(widget())) {
    label->setText(withoutMnemonic(control().windowText()));
    const DWORD align = control().GetStyle() & SS_TYPEMASK;
    label->setAlignment((align == SS_CENTER ? Qt::AlignHCenter : align == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft) |
                        Qt::AlignTop);
  }
}

}  // namespace uv::qt
