#include "ui/qt/DialogView.h"

#include <stdexcept>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "ui/CDialog.h"
#include "ui/DialogDriver.h"
#include "ui/DialogRunner.h"

namespace uv::qt {

namespace {

bool isChildDialog(const CWnd& w) { return w.widgetKind() == WidgetKind::kDialog && (w.GetStyle() & WS_CHILD); }

// A dialog opens over the window the person works in (a dialog over the
// dialog that opened it), centred there, not wherever the screen puts it.
QWidget* ownerWindow() {
  if (QWidget* active = QApplication::activeModalWidget()) return active;
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && !w->parentWidget()) return w;
  return nullptr;
}

}  // namespace

DialogView::DialogView(CDialog& dialog, QWidget* parent) : QDialog(parent), m_dialog(dialog) {
  setFont(m_metrics.font());
  setWindowTitle(QString::fromStdWString(dialog.windowText().str()));
  setFixedSize(m_metrics.toWidget(dialog.rect()).size());
  setSizeGripEnabled(false);
  for (CWnd* child : dialog.children()) bind(*child, this);
  dialog.addObserver(this);
}

DialogView::~DialogView() {
  m_dialog.removeObserver(this);
  m_bindings.clear();
}

void DialogView::bind(CWnd& window, QWidget* parent) {
  std::unique_ptr<ControlBinding> binding;
  if (isChildDialog(window)) {
    binding = std::make_unique<ControlBinding>(window, new QWidget(parent), m_metrics);
  } else {
    binding = ControlBinding::create(window, parent, m_metrics);
  }
  if (!binding) return;
  QWidget* widget = binding->widget();
  binding->refresh();
  m_bindings[&window] = std::move(binding);
  if (isChildDialog(window))
    for (CWnd* child : window.children()) bind(*child, widget);
}

QWidget* DialogView::widgetOf(const CWnd& control) const {
  auto it = m_bindings.find(&control);
  return it == m_bindings.end() ? nullptr : it->second->widget();
}

void DialogView::windowChanged(CWnd& window, WindowChange change) {
  if (&window == &m_dialog) {
    if (change == WindowChange::kEnded) done(int(m_dialog.modalResult()));
    else if (change == WindowChange::kText) setWindowTitle(QString::fromStdWString(m_dialog.windowText().str()));
    else if (change == WindowChange::kVisible) setVisible(m_dialog.IsWindowVisible() != FALSE);
    return;
  }
  auto it = m_bindings.find(&window);
  if (change == WindowChange::kDestroyed) {
    if (it != m_bindings.end()) m_bindings.erase(it);
    return;
  }
  if (it == m_bindings.end()) {
    // A control made after the view was: bind it where its parent shows.
    CWnd* parent = window.GetParent();
    QWidget* host = parent == &m_dialog ? this : widgetOf(*parent);
    if (change == WindowChange::kCreated && host) bind(window, host);
    return;
  }
  if (change == WindowChange::kFocus) {
    if (CWnd::GetFocus() == &window) it->second->widget()->setFocus();
    return;
  }
  it->second->refresh();
}

void DialogView::key(const wchar_t* verb) {
  try {
    DialogDriver::apply(m_dialog, DialogAction(verb));
  } catch (const DialogActionRefused&) {
    QApplication::beep();
  }
  deliverPostedMessages();
}

void DialogView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    key(L"enter");
    return;
  }
  QDialog::keyPressEvent(event);  // Escape arrives as reject()
}

void DialogView::reject() {
  if (m_dialog.isEnded()) QDialog::reject();
  else key(L"cancel");
}

void DialogView::closeEvent(QCloseEvent* event) {
  if (!m_dialog.isEnded()) {
    event->ignore();
    key(L"close");
  }
}

INT_PTR DialogView::runModal(ModalDialog& modal) {
  auto* runner = dynamic_cast<DialogRunner*>(&modal);
  if (!runner) throw std::logic_error("the Qt front end shows only dialogs of the dialog framework");
  runner->initialise();
  if (runner->isEnded()) return runner->result();
  DialogView view(runner->dialog(), ownerWindow());
  view.exec();
  return runner->result();
}

}  // namespace uv::qt
