#include "ui/qt/ControlBinding.h"

#include <QApplication>
#include <QSignalBlocker>

#include "ui/CWnd.h"
#include "ui/qt/ButtonBinding.h"
#include "ui/qt/ComboBinding.h"
#include "ui/qt/DialogMetrics.h"
#include "ui/qt/EditBinding.h"
#include "ui/qt/LabelBinding.h"
#include "ui/qt/ListBoxBinding.h"
#include "ui/qt/ListViewBinding.h"
#include "ui/qt/TabBinding.h"
#include "user/DialogAction.h"

namespace uv::qt {

ControlBinding::ControlBinding(CWnd& control, QWidget* widget, const DialogMetrics& metrics)
    : m_control(control), m_widget(widget), m_metrics(metrics) {
  widget->setObjectName(QString::fromStdWString(control.controlName()));
  widget->setFont(metrics.font());
}

ControlBinding::~ControlBinding() { delete m_widget.data(); }

void ControlBinding::refresh() {
  if (!m_widget) return;
  m_updating = true;
  {
    QSignalBlocker block(m_widget);
    m_widget->setGeometry(m_metrics.toWidget(m_control.rect()));
    m_widget->setVisible((m_control.GetStyle() & WS_VISIBLE) != 0);
    m_widget->setEnabled(m_control.IsWindowEnabled() != FALSE);
    m_widget->setToolTip(QString::fromStdWString(m_control.toolTip().str()));
    refreshState();
  }
  m_updating = false;
}

namespace {
ControlBinding::ActionListener& actionListener() {
  static ControlBinding::ActionListener listener;
  return listener;
}
}  // namespace

void ControlBinding::setActionListener(ActionListener listener) { actionListener() = std::move(listener); }

void ControlBinding::tell(const DialogAction& said) {
  if (actionListener()) actionListener()(said, false);
}

DialogAction ControlBinding::said(const wchar_t* verb, std::vector<ScriptToken> values) const {
  return DialogAction(verb, m_control.controlName(), std::move(values));
}

void ControlBinding::act(const std::function<void()>& action, const DialogAction& said) {
  if (m_updating) return;
  const bool tell = !said.verb.empty() && actionListener();
  if (tell) actionListener()(said, false);
  try {
    action();
  } catch (const DialogActionRefused&) {
    if (tell && actionListener()) actionListener()(said, true);
    QApplication::beep();
  }
  deliverPostedMessages();
}

std::unique_ptr<ControlBinding> ControlBinding::create(CWnd& control, QWidget* parent, const DialogMetrics& metrics) {
  switch (control.widgetKind()) {
    case WidgetKind::kStatic:
    case WidgetKind::kGroupBox:
    case WidgetKind::kFrame:
    case WidgetKind::kLine: return std::make_unique<LabelBinding>(control, parent, metrics);
    case WidgetKind::kPushButton:
    case WidgetKind::kImageButton:
    case WidgetKind::kCheckBox:
    case WidgetKind::kRadioButton: return std::make_unique<ButtonBinding>(control, parent, metrics);
    case WidgetKind::kEdit:
    case WidgetKind::kBrowseEdit: return std::make_unique<EditBinding>(control, parent, metrics);
    case WidgetKind::kComboBox:
    case WidgetKind::kColorComboBox:
    case WidgetKind::kLineWeightComboBox: return std::make_unique<ComboBinding>(control, parent, metrics);
    case WidgetKind::kListBox: return std::make_unique<ListBoxBinding>(control, parent, metrics);
    case WidgetKind::kListView: return std::make_unique<ListViewBinding>(control, parent, metrics);
    case WidgetKind::kTabControl: return std::make_unique<TabBinding>(control, parent, metrics);
    case WidgetKind::kDialog:
    case WidgetKind::kWindow: break;
  }
  return nullptr;
}

}  // namespace uv::qt
