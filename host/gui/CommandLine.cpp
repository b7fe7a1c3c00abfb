#include "host/gui/CommandLine.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace uv::gui {

namespace {
constexpr int kTranscriptLines = 5000;
constexpr size_t kHistory = 200;
}  // namespace

CommandLine::CommandLine(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("commandLine"));
  const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  m_transcript = new QPlainTextEdit(this);
  m_transcript->setObjectName(QStringLiteral("transcript"));
  m_transcript->setReadOnly(true);
  m_transcript->setFont(mono);
  m_transcript->setMaximumBlockCount(kTranscriptLines);
  m_transcript->setFocusPolicy(Qt::ClickFocus);
  m_prompt = new QLabel(QStringLiteral("Command:"), this);
  m_prompt->setObjectName(QStringLiteral("prompt"));
  m_prompt->setFont(mono);
  m_input = new QLineEdit(this);
  m_input->setObjectName(QStringLiteral("input"));
  m_input->setFont(mono);
  m_input->installEventFilter(this);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(m_prompt);
  row->addWidget(m_input, 1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(2);
  column->addWidget(m_transcript, 1);
  column->addLayout(row);
}

void CommandLine::append(const QString& text) {
  QTextCursor end(m_transcript->document());
  end.movePosition(QTextCursor::End);
  end.insertText(text);
  m_transcript->verticalScrollBar()->setValue(m_transcript->verticalScrollBar()->maximum());
}

void CommandLine::setPrompt(const QString& prompt) {
  QString shown = prompt.trimmed();
  m_prompt->setText(shown.isEmpty() ? QStringLiteral("Command:") : shown);
}

void CommandLine::submit() {
  const QString text = m_input->text();
  m_input->clear();
  m_recalled = -1;
  if (!text.trimmed().isEmpty() && (m_history.empty() || m_history.back() != text)) {
    m_history.push_back(text);
    if (m_history.size() > kHistory) m_history.erase(m_history.begin());
  }
  emit submitted(text);
}

void CommandLine::recall(int step) {
  if (m_history.empty()) return;
  int next = m_recalled < 0 ? (step < 0 ? int(m_history.size()) - 1 : -1) : m_recalled + step;
  if (next >= int(m_history.size())) next = -1;
  if (next < -1) next = 0;
  m_recalled = next;
  m_input->setText(next < 0 ? QString() : m_history[size_t(next)]);
}

void CommandLine::takeKey(QKeyEvent* event) {
  m_input->setFocus();
  if (!eventFilter(m_input, event)) QApplication::sendEvent(m_input, event);
}

bool CommandLine::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_input || event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: submit(); return true;
    case Qt::Key_Escape:
      m_input->clear();
      m_recalled = -1;
      emit escaped();
      return true;
    case Qt::Key_Up: recall(-1); return true;
    case Qt::Key_Down: recall(+1); return true;
    case Qt::Key_Space: {
      // "call Function text" takes its arguments after spaces, as a job script line does.
      const QString sofar = m_input->text().trimmed();
      const bool hostLine = m_hostLinesAllowed && sofar.startsWith(QStringLiteral("call"), Qt::CaseInsensitive) &&
                            (sofar.size() == 4 || sofar.at(4).isSpace());
      if (m_spacesAllowed || hostLine) return false;
      submit();  // as Enter, the way CAD command lines take a space
      return true;
    }
    default: return false;
  }
}

}  // namespace uv::gui
