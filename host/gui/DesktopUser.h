// The person at the desktop program as the program's User: each question
// shows its prompt on the command line, sets the drawing view's mode and
// waits in a local event loop until the person answers it, by typing at
// the command line or by clicking or dragging in the view. Dialogs run as
// modal windows over the main window; while a dialog steps aside for work
// in the drawing, the main window takes the clicks. Every answer is also
// written down by the session recorder.
#pragma once

#include <optional>
#include <vector>

#include <QObject>
#include <QPointer>

#include "ge/AcGePoint3d.h"
#include "host/gui/DrawingView.h"
#include "user/SessionRecorder.h"
#include "user/User.h"

class QEventLoop;
class QWidget;

namespace uv::gui {

class CommandLine;

class DesktopUser : public QObject, public User {
  Q_OBJECT

 public:
  DesktopUser(CommandLine& line, DrawingView& view, QWidget& window, SessionRecorder& recorder);

  // Whether a prompt waits for an answer now.
  bool asking() const { return m_kind != Kind::kNone; }

  // The person's input for the prompt waiting now; ignored when none waits.
  void typed(const QString& text);
  void escape();
  void pointClicked(const AcGePoint3d& at);
  void windowDragged(const AcGePoint3d& first, const AcGePoint3d& second, bool crossing);

  PointAnswer getPoint(const PointQuestion& q) override;
  PointAnswer getCorner(const CornerQuestion& q) override;
  StringAnswer getString(const StringQuestion& q) override;
  NumberAnswer getNumber(const NumberQuestion& q) override;
  StringAnswer getKeyword(const KeywordQuestion& q) override;
  EntityAnswer pickEntity(const EntityQuestion& q) override;
  SelectionAnswer select(const SelectionQuestion& q) override;
  int messageBox(const MessageQuestion& q) override;
  std::optional<int> chooseColor(const ColorQuestion& q) override;
  std::optional<std::wstring> chooseLinetype(const LinetypeQuestion& q) override;
  std::optional<std::wstring> chooseFile(const FileQuestion& q) override;
  INT_PTR runDialog(ModalDialog& dialog) override;

 signals:
  // A question is now waiting (the front end may look at the view, tests answer it).
  void questionAsked();

 private:
  enum class Kind { kNone, kPoint, kCorner, kString, kNumber, kKeyword, kEntity, kSelect };

  // Shows the prompt, waits for the answer and puts everything back.
  void ask(Kind kind, const std::wstring& prompt, DrawingView::Mode mode, const std::optional<AcGePoint3d>& base,
           bool spaces = false);
  void answered(InputStatus status);
  void tell(const QString& text);
  SelectionAnswer finishSelection();

  CommandLine& m_line;
  DrawingView& m_view;
  QWidget& m_window;
  SessionRecorder& m_recorder;

  Kind m_kind = Kind::kNone;
  QEventLoop* m_loop = nullptr;
  InputStatus m_status = InputStatus::kCancel;
  // What the waiting question needs to check an answer, and the answer.
  std::optional<AcGePoint3d> m_base;
  bool m_integer = false;
  size_t m_maxLength = 0;
  std::vector<std::wstring> m_keywords;
  AcGePoint3d m_point;
  std::wstring m_text;
  double m_number = 0;
  std::vector<SelectionAnswer> m_parts;  // windows, crossings and picks gathered for a selection
};

}  // namespace uv::gui
