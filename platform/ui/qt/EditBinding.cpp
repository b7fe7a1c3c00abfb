#include "ui/qt/EditBinding.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include "ui/CEdit.h"
#include "ui/Clipboard.h"
#include "ui/qt/DialogMetrics.h"

namespace uv::qt {

namespace {

// A file field is a line edit with a small browse button at its right end.
QWidget* makeField(CWnd& control, QWidget* parent) {
  if (control.widgetKind() != WidgetKind::kBrowseEdit) return new QLineEdit(parent);
  auto* box = new QWidget(parent);
  new QLineEdit(box);
  auto* browse = new QToolButton(box);
  browse->setObjectName(QStringLiteral("browse"));
  browse->setText(QStringLiteral("..."));
  return box;
}

}  // namespace

EditBinding::EditBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics)
    : ControlBinding(control, makeField(control, parent), metrics) {
  m_line = qobject_cast<QLineEdit*>(widget());
  if (!m_line) m_line = widget()->findChild<QLineEdit*>();
  m_line->setObjectName(QString::fromStdWString(control.controlName()) + QStringLiteral(".text"));
  m_line->setFont(metrics.font());
  m_line->setContextMenuPolicy(Qt::NoContextMenu);  // a paste goes through the model
  m_line->setDragEnabled(false);
  m_line->setAcceptDrops(false);
  m_line->installEventFilter(this);
  if (auto* browse = widget()->findChild<QToolButton*>(QStringLiteral("browse")))
    QObject::connect(browse, &QToolButton::clicked, this, [this] {
      act([this] { this->control().applyUserAction(DialogAction(L"click", this->control().controlName())); },
          said(L"click"));
    });
}

void EditBinding::tellText() {
  // What the keys left in the field is what a script sets.
  tell(said(L"set", {text(control().windowText().str())}));
}

void EditBinding::syncSelection() {
  auto& edit = static_cast<CEdit&>(control());
  if (m_line->hasSelectedText())
    edit.SetSel(m_line->selectionStart(), m_line->selectionEnd());
  else
    edit.SetSel(m_line->cursorPosition(), m_line->cursorPosition());
}

bool EditBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_line || event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  auto& edit = static_cast<CEdit&>(control());
  if (key->matches(QKeySequence::Paste)) {
    syncSelection();
    Clipboard::setText(CString(QGuiApplication::clipboard()->text().toStdWString()));
    act([&] { edit.SendMessage(WM_PASTE); });
    tellText();
    return true;
  }
  if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
    syncSelection();
    int start = 0, end = 0;
    edit.GetSel(start, end);
    // Delete removes the character after the caret: select it, then erase.
    if (key->key() == Qt::Key_Delete && start == end) edit.SetSel(start, start + 1);
    act([&] { edit.SendMessage(WM_CHAR, WPARAM(L'\b')); });
    tellText();
    return true;
  }
  const QString text = key->text();
  if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & Qt::ControlModifier)) return false;
  for (QChar c : text) {
    syncSelection();
    act([&] { edit.SendMessage(WM_CHAR, WPARAM(c.unicode())); });
  }
  tellText();
  return true;
}

void EditBinding::refreshState() {
  auto& edit = static_cast<CEdit&>(control());
  const QString text = QString::fromStdWString(edit.windowText().str());
  if (m_line->text() != text) m_line->setText(text);
  int start = 0, end = 0;
  edit.GetSel(start, end);
  m_line->setCursorPosition(end);
  m_line->setReadOnly(edit.isReadOnly());
  m_line->setEchoMode((edit.GetStyle() & ES_PASSWORD) ? QLineEdit::Password : QLineEdit::Normal);
  const DWORD align = edit.GetStyle() & (ES_CENTER | ES_RIGHT);
  m_line->setAlignment(align == ES_CENTER ? Qt::AlignHCenter : align == ES_RIGHT ? Qt::AlignRight : Qt::AlignLeft);
  if (widget() != m_line) {  // a file field: the button takes a square at the right
    const int h = widget()->height();
    m_line->setGeometry(0, 0, widget()->width() - h, h);
    if (auto* browse = widget()->findChild<QToolButton*>(QStringLiteral("browse")))
      browse->setGeometry(widget()->width() - h, 0, h, h);
  }
}

}  // namespace uv::qt
