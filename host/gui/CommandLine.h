// The command line below the drawing: the transcript of everything the
// program printed, the prompt of the question being asked and the input
// line. Enter submits the line (an empty one too: Enter is an answer), a
// space does the same unless the question takes spaces, Escape cancels,
// Up and Down recall earlier input.
#pragma once

#include <string>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace uv::gui {

class CommandLine : public QWidget {
  Q_OBJECT

 public:
  explicit CommandLine(QWidget* parent = nullptr);

  void append(const QString& text);
  void setPrompt(const QString& prompt);
  // Whether a space is part of the input (a text that allows spaces).
  void setSpacesAllowed(bool allowed) { m_spacesAllowed = allowed; }
  // Whether a line may be a "call" of an entry function (no question is asked).
  void setHostLinesAllowed(bool allowed) { m_hostLinesAllowed = allowed; }
  QLineEdit* input() const { return m_input; }
  QPlainTextEdit* transcript() const { return m_transcript; }
  // Takes a key pressed elsewhere (the drawing view) as if typed here.
  void takeKey(QKeyEvent* event);
  const std::vector<QString>& history() const { return m_history; }

 signals:
  void submitted(const QString& text);
  void escaped();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void submit();
  void recall(int step);

  QPlainTextEdit* m_transcript;
  QLabel* m_prompt;
  QLineEdit* m_input;
  std::vector<QString> m_history;
  int m_recalled = -1;  // index into m_history while recalling; -1 for the line being typed
  bool m_spacesAllowed = false;
  bool m_hostLinesAllowed = true;
};

}  // namespace uv::gui
