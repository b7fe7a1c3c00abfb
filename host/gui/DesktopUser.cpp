#include "host/gui/DesktopUser.h"

#include <algorithm>
#include <filesystem>

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "base/TextCase.h"
#include "db/AcDbHandle.h"
#include "ed/AcApDocument.h"
#include "ed/ModelSpace.h"
#include "host/gui/AciColorDialog.h"
#include "host/gui/CommandLine.h"
#include "host/gui/FileFilter.h"
#include "ui/CDialog.h"
#include "ui/DialogRunner.h"
#include "ui/qt/DialogView.h"
#include "user/MessageBoxCodes.h"
#include "user/TypedInput.h"

namespace uv::gui {

DesktopUser::DesktopUser(CommandLine& line, DrawingView& view, QWidget& window, SessionRecorder& recorder)
    : m_line(line), m_view(view), m_window(window), m_recorder(recorder) {}

void DesktopUser::tell(const QString& text) { m_line.append(text + QLatin1Char('\n')); }

void DesktopUser::ask(Kind kind, const std::wstring& prompt, DrawingView::Mode mode,
                      const std::optional<AcGePoint3d>& base, bool spaces) {
  m_kind = kind;
  m_base = base;
  m_status = InputStatus::kCancel;
  m_text.clear();
  m_parts.clear();
  m_line.setPrompt(QString::fromStdWString(prompt));
  m_line.setSpacesAllowed(spaces);
  m_line.setHostLinesAllowed(false);
  m_view.setMode(mode, base);
  m_view.update();  // vectors drawn since the last paint show now
  QEventLoop loop;
  m_loop = &loop;
  emit questionAsked();
  if (m_kind != Kind::kNone) loop.exec();
  m_loop = nullptr;
  m_kind = Kind::kNone;
  m_view.setMode(DrawingView::Mode::kIdle);
  m_line.setPrompt(QString());
  m_line.setSpacesAllowed(false);
  m_line.setHostLinesAllowed(true);
}

void DesktopUser::answered(InputStatus status) {
  m_status = status;
  m_kind = Kind::kNone;
  if (m_loop) m_loop->quit();
}

void DesktopUser::typed(const QString& input) {
  const std::wstring text = input.toStdWString();
  const bool empty = input.trimmed().isEmpty();
  switch (m_kind) {
    case Kind::kNone: return;
    case Kind::kPoint:
    case Kind::kCorner:
    case Kind::kEntity: {
      if (empty) return answered(InputStatus::kNone);
      const auto p = typed::point(text, m_base);
      if (!p) return tell(QStringLiteral("Point required: x,y or x,y,z (@dx,dy from the last point)."));
      m_point = *p;
      return answered(InputStatus::kOk);
    }
    case Kind::kString:
      if (m_maxLength && text.size() > m_maxLength)
        return tell(QStringLiteral("At most %1 characters.").arg(m_maxLength));
      m_text = text;
      return answered(empty && text.empty() ? InputStatus::kNone : InputStatus::kOk);
    case Kind::kNumber: {
      if (empty) return answered(InputStatus::kNone);
      const auto n = typed::number(text, m_integer);
      if (!n) return tell(m_integer ? QStringLiteral("Requires an integer value.") : QStringLiteral("Requires a number."));
      m_number = *n;
      return answered(InputStatus::kOk);
    }
    case Kind::kKeyword: {
      if (empty) return answered(InputStatus::kNone);
      const auto k = typed::keyword(text, m_keywords);
      if (!k) return tell(QStringLiteral("Invalid option keyword."));
      m_text = *k;
      return answered(InputStatus::kOk);
    }
    case Kind::kSelect: {
      if (empty) return answered(InputStatus::kOk);
      const auto word = typed::selectionWord(text);
      if (!word) return tell(QStringLiteral("Select objects by a click, a window (drag right) or a crossing "
                                            "(drag left); ALL, L(ast) or P(revious); Enter ends."));
      SelectionAnswer part;
      part.mode = *word;
      m_parts.push_back(part);
      return answered(InputStatus::kOk);
    }
  }
}

void DesktopUser::escape() {
  if (m_kind != Kind::kNone) answered(InputStatus::kCancel);
}

void DesktopUser::pointClicked(const AcGePoint3d& at) {
  switch (m_kind) {
    case Kind::kPoint:
    case Kind::kCorner:
    case Kind::kEntity:
      m_point = at;
      return answered(InputStatus::kOk);
    case Kind::kSelect: {
      AcApDocument* doc = m_view.document();
      if (!doc) return;
      const double tolerance = DrawingView::kPickPixels * doc->view().height() / std::max(m_view.height(), 1);
      const AcDbObjectId hit = ModelSpace::pick(doc->database(), at, tolerance);
      if (hit.isNull()) return tell(QStringLiteral("0 found"));
      SelectionAnswer part;
      part.mode = SelectionAnswer::Mode::kHandles;
      part.handles.push_back(hit.handle().text());
      m_parts.push_back(part);
      return tell(QStringLiteral("1 found"));
    }
    default: QApplication::beep(); return;
  }
}

void DesktopUser::windowDragged(const AcGePoint3d& first, const AcGePoint3d& second, bool crossing) {
  if (m_kind != Kind::kSelect) return;
  SelectionAnswer part;
  part.mode = crossing ? SelectionAnswer::Mode::kCrossing : SelectionAnswer::Mode::kWindow;
  part.first = first;
  part.second = second;
  m_parts.push_back(part);
  AcApDocument* doc = m_view.document();
  const size_t found = doc ? ModelSpace::window(doc->database(), first, second, crossing).size() : 0;
  tell(QStringLiteral("%1 found").arg(found));
}

SelectionAnswer DesktopUser::finishSelection() {
  using Mode = SelectionAnswer::Mode;
  SelectionAnswer answer;
  if (m_status == InputStatus::kCancel) return answer;  // kCancel
  if (m_parts.empty()) {
    answer.mode = Mode::kNone;
    return answer;
  }
  if (m_parts.size() == 1) return m_parts.front();
  // Several picks and windows together: the entities they reach, in the order reached.
  AcApDocument* doc = m_view.document();
  answer.mode = Mode::kHandles;
  auto add = [&](AcDbObjectId id) {
    const std::wstring h = id.handle().text();
    if (std::find(answer.handles.begin(), answer.handles.end(), h) == answer.handles.end()) answer.handles.push_back(h);
  };
  for (const SelectionAnswer& part : m_parts) {
    switch (part.mode) {
      case Mode::kHandles:
        for (const auto& h : part.handles)
          if (std::find(answer.handles.begin(), answer.handles.end(), h) == answer.handles.end()) answer.handles.push_back(h);
        break;
      case Mode::kWindow:
      case Mode::kCrossing:
        if (doc)
          for (AcDbObjectId id : ModelSpace::window(doc->database(), part.first, part.second, part.mode == Mode::kCrossing))
            add(id);
        break;
      case Mode::kAll:
      case Mode::kLast:
      case Mode::kPrevious:
        return part;  // a word answers by itself (it ends the input at once)
      default: break;
    }
  }
  return answer;
}

PointAnswer DesktopUser::getPoint(const PointQuestion& q) {
  ask(Kind::kPoint, q.prompt, DrawingView::Mode::kPoint, q.base);
  PointAnswer a;
  a.status = m_status;
  a.point = m_point;
  m_recorder.point(a);
  return a;
}

PointAnswer DesktopUser::getCorner(const CornerQuestion& q) {
  ask(Kind::kCorner, q.prompt, DrawingView::Mode::kCorner, q.base);
  PointAnswer a;
  a.status = m_status;
  a.point = m_point;
  m_recorder.point(a, true);
  return a;
}

StringAnswer DesktopUser::getString(const StringQuestion& q) {
  m_maxLength = q.maxLength;
  ask(Kind::kString, q.prompt, DrawingView::Mode::kIdle, std::nullopt, q.allowSpaces);
  StringAnswer a;
  a.status = m_status;
  a.text = m_status == InputStatus::kOk ? m_text : std::wstring();
  m_recorder.string(a);
  return a;
}

NumberAnswer DesktopUser::getNumber(const NumberQuestion& q) {
  m_integer = q.integer;
  ask(Kind::kNumber, q.prompt, DrawingView::Mode::kIdle, std::nullopt);
  NumberAnswer a;
  a.status = m_status;
  a.value = m_number;
  m_recorder.number(a, q.integer);
  return a;
}

StringAnswer DesktopUser::getKeyword(const KeywordQuestion& q) {
  m_keywords = q.keywords;
  ask(Kind::kKeyword, q.prompt, DrawingView::Mode::kIdle, std::nullopt);
  StringAnswer a;
  a.status = m_status;
  a.text = m_status == InputStatus::kOk ? m_text : std::wstring();
  m_recorder.keyword(a);
  return a;
}

EntityAnswer DesktopUser::pickEntity(const EntityQuestion& q) {
  ask(Kind::kEntity, q.prompt, DrawingView::Mode::kEntity, std::nullopt);
  EntityAnswer a;
  a.status = m_status;
  a.point = m_point;
  m_recorder.entity(a);
  return a;
}

SelectionAnswer DesktopUser::select(const SelectionQuestion& q) {
  ask(Kind::kSelect, q.prompt.empty() ? std::wstring(L"Select objects:") : q.prompt, DrawingView::Mode::kSelect,
      std::nullopt);
  SelectionAnswer a = finishSelection();
  m_recorder.selection(a);
  return a;
}

int DesktopUser::messageBox(const MessageQuestion& q) {
  QMessageBox box(&m_window);
  box.setObjectName(QStringLiteral("messageBox"));
  box.setWindowTitle(QString::fromStdWString(q.caption));
  box.setText(QString::fromStdWString(q.text));
  switch (q.icon()) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Offer {
    QMessageBox::StandardButton button;
    int id;
  };
  std::vector<Offer> offers;
  switch (q.buttons()) {
    case MB_OKCANCEL: offers = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      offers = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL: offers = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNO: offers = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: offers = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: offers = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons buttons;
  for (const Offer& o : offers) buttons |= o.button;
  box.setStandardButtons(buttons);
  box.setDefaultButton(offers.front().button);
  // Escape and the close box answer as Cancel (or No) would, else as the only button.
  for (const Offer& o : offers)
    if (o.id == IDCANCEL || (o.id == IDNO && q.buttons() == MB_YESNO)) box.setEscapeButton(o.button);
  if (offers.size() == 1) box.setEscapeButton(offers.front().button);
  box.exec();
  int id = offers.front().id;
  for (const Offer& o : offers)
    if (box.clickedButton() && box.standardButton(box.clickedButton()) == o.button) id = o.id;
  m_recorder.messageBox(id);
  return id;
}

std::optional<int> DesktopUser::chooseColor(const ColorQuestion& q) {
  AciColorDialog dialog(q.initial, q.allowMetaColors, &m_window);
  std::optional<int> chosen;
  if (dialog.exec() == QDialog::Accepted) chosen = dialog.colour();
  m_recorder.color(chosen);
  return chosen;
}

std::optional<std::wstring> DesktopUser::chooseLinetype(const LinetypeQuestion& q) {
  QStringList names;
  if (q.allowByBlockByLayer) names << QStringLiteral("ByLayer") << QStringLiteral("ByBlock");
  for (const auto& c : q.choices) names << QString::fromStdWString(c);
  bool ok = false;
  QString chosen;
  if (names.isEmpty()) {
    chosen = QInputDialog::getText(&m_window, QStringLiteral("Linetype"), QStringLiteral("Linetype:"), QLineEdit::Normal,
                                   QString::fromStdWString(q.current), &ok);
  } else {
    int current = 0;
    for (int i = 0; i < names.size(); ++i)
      if (names[i].compare(QString::fromStdWString(q.current), Qt::CaseInsensitive) == 0) current = i;
    chosen = QInputDialog::getItem(&m_window, QStringLiteral("Linetype"), QStringLiteral("Linetype:"), names, current,
                                   false, &ok);
  }
  std::optional<std::wstring> answer;
  if (ok && !chosen.isEmpty()) answer = chosen.toStdWString();
  m_recorder.linetype(answer);
  return answer;
}

std::optional<std::wstring> DesktopUser::chooseFile(const FileQuestion& q) {
  QFileDialog dialog(&m_window, QString::fromStdWString(q.title));
  dialog.setObjectName(QStringLiteral("fileDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(q.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(q.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The question before replacing a file is ours, not Qt's, so that the
  // session records the answer as a job answers it (answer yes or no).
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!q.defaultExtension.empty()) dialog.setDefaultSuffix(QString::fromStdWString(q.defaultExtension));
  const QStringList filters = FileFilter::toQt(q.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  const FileFilter::Start start = FileFilter::start(q.initialName);
  if (!start.folder.isEmpty()) dialog.setDirectory(start.folder);
  if (!start.name.isEmpty()) dialog.selectFile(start.name);
  // No to the question leaves the dialog open for another name.
  for (;;) {
    std::optional<std::wstring> answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      answer = dialog.selectedFiles().front().toStdWString();
    m_recorder.file(answer);
    if (!answer || !needsOverwriteQuestion(q, *answer) || messageBox(overwriteQuestion(q, *answer)) == IDYES)
      return answer;
  }
}

INT_PTR DesktopUser::runDialog(ModalDialog& modal) {
  auto* runner = dynamic_cast<DialogRunner*>(&modal);
  if (!runner) throw std::logic_error("the desktop program shows only dialogs of the dialog framework");
  runner->initialise();
  if (runner->isEnded()) return runner->result();
  qt::DialogView view(runner->dialog(), &m_window);
  view.setObjectName(QString::fromStdWString(L"dialog" + std::to_wstring(runner->dialog().templateId())));
  // Hiding the dialog for work in the drawing ends Qt's modal loop; it is
  // entered again once the work is done, until the dialog itself ends.
  while (!runner->isEnded()) {
    if (runner->dialog().IsWindowVisible()) view.exec();
    else QApplication::processEvents(QEventLoop::WaitForMoreEvents);  // still stepped aside
  }
  return runner->result();
}

}  // namespace uv::gui
