#include "host/gui/MainWindow.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <set>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "base/TextCase.h"
#include "db/AcDbDatabase.h"
#include "db/UndoLog.h"
#include "ed/AcApDocument.h"
#include "ed/CommandRunner.h"
#include "ed/ProgressMeter.h"
#include "ed/Transcript.h"
#include "host/EntryFunctionCaller.h"
#include "host/HostError.h"
#include "host/HostSession.h"
#include "host/LayerSettings.h"
#include "host/gui/AciColorDialog.h"
#include "host/gui/CommandLine.h"
#include "host/gui/DesktopUser.h"
#include "host/gui/DrawingView.h"
#include "host/gui/LayerPanel.h"
#include "host/render/DrawingRenderer.h"
#include "rx/AcEdCommandStack.h"
#include "rx/SystemRegistry.h"
#include "user/MessageBoxCodes.h"
#include "ui/qt/ControlBinding.h"
#include "user/JobScript.h"
#include "user/ScriptError.h"
#include "user/ScriptValues.h"

namespace uv::gui {

namespace {

constexpr int kRecentDrawings = 8;

QString fileFilterFor(const QString& kind) {
  if (kind == QLatin1String("dxf")) return QStringLiteral("Drawings (*.dxf)");
  if (kind == QLatin1String("job")) return QStringLiteral("Job scripts (*.job)");
  return QStringLiteral("PNG picture (*.png);;SVG picture (*.svg)");
}

// Two letters for a command's button that no button before it shows: its
// first letter and the first one after it that makes a new pair
// (SLOJNICE "SL", slojniceoznake "SO").
QString buttonLetters(const QString& name, std::set<QString>& taken) {
  const QString upper = name.toUpper();
  for (qsizetype i = 1; i < upper.size(); ++i) {
    const QString pair = upper.left(1) + upper.at(i);
    if (upper.at(i).isLetterOrNumber() && taken.insert(pair).second) return pair;
  }
  return upper.left(2);
}

// A button face for a command: letters on the module's colour.
QIcon commandIcon(const QString& letters) {
  QPixmap face(32, 32);
  face.fill(Qt::transparent);
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(46, 110, 160));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
  p.setPen(Qt::white);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(13);
  p.setFont(f);
  p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, letters);
  return QIcon(face);
}

}  // namespace

MainWindow::MainWindow(host::HostSession& session, QWidget* parent) : QMainWindow(parent), m_session(session) {
  setObjectName(QStringLiteral("mainWindow"));
  m_view = new DrawingView(this);
  setCentralWidget(m_view);

  m_commandLine = new CommandLine(this);
  auto* lineDock = new QDockWidget(QStringLiteral("Command line"), this);
  lineDock->setObjectName(QStringLiteral("commandDock"));
  lineDock->setWidget(m_commandLine);
  lineDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::BottomDockWidgetArea, lineDock);

  m_layers = new LayerPanel(this);
  auto* layerDock = new QDockWidget(QStringLiteral("Layers"), this);
  layerDock->setObjectName(QStringLiteral("layerDock"));
  layerDock->setWidget(m_layers);
  addDockWidget(Qt::RightDockWidgetArea, layerDock);

  m_coordinates = new QLabel(this);
  m_coordinates->setObjectName(QStringLiteral("coordinates"));
  m_coordinates->setMinimumWidth(220);
  m_progressLabel = new QLabel(this);
  m_progress = new QProgressBar(this);
  m_progress->setObjectName(QStringLiteral("progressMeter"));
  m_progress->setMaximumWidth(240);
  m_progressLabel->hide();
  m_progress->hide();
  statusBar()->addWidget(m_coordinates);
  statusBar()->addPermanentWidget(m_progressLabel);
  statusBar()->addPermanentWidget(m_progress);

  m_user = std::make_unique<DesktopUser>(*m_commandLine, *m_view, *this, m_recorder);
  m_userScope = std::make_unique<UserScope>(*m_user);

  connect(m_view, &DrawingView::cursorMoved, this, [this](const AcGePoint3d& p) {
    m_coordinates->setText(QStringLiteral("%1, %2").arg(p.x, 0, 'f', 3).arg(p.y, 0, 'f', 3));
  });
  connect(m_view, &DrawingView::pointClicked, m_user.get(), &DesktopUser::pointClicked);
  connect(m_view, &DrawingView::windowDragged, m_user.get(), &DesktopUser::windowDragged);
  connect(m_view, &DrawingView::enterPressed, this, [this] { submitted(QString()); });
  connect(m_commandLine, &CommandLine::submitted, this, &MainWindow::submitted);
  connect(m_commandLine, &CommandLine::escaped, m_user.get(), &DesktopUser::escape);
  connect(m_layers, &LayerPanel::layerSwitched, this, &MainWindow::switchLayer);
  connect(m_layers, &LayerPanel::layerColourAsked, this, &MainWindow::recolourLayer);

  Transcript::instance().setListener(
      [this](std::wstring_view text) { m_commandLine->append(QString::fromWCharArray(text.data(), qsizetype(text.size()))); });
  ProgressMeter::instance().setListener([this](const ProgressMeter& meter) {
    if (!meter.active()) {
      m_progress->setVisible(false);
      m_progressLabel->setVisible(false);
      m_shownPercent = -1;
      return;
    }
    // A long loop sets a position per element: the bar and the event loop
    // hear of it once a percent, not two million times.
    const long long span = std::max<long long>(static_cast<long long>(meter.maxPos()) - meter.minPos(), 1);
    const int percent = int((static_cast<long long>(meter.position()) - meter.minPos()) * 100 / span);
    if (percent == m_shownPercent && meter.position() != meter.maxPos() && meter.label() == m_shownLabel) return;
    m_shownPercent = percent;
    m_shownLabel = meter.label();
    m_progress->setVisible(true);
    m_progressLabel->setVisible(true);
    m_progressLabel->setText(QString::fromStdWString(m_shownLabel));
    m_progress->setRange(meter.minPos(), std::max(meter.maxPos(), meter.minPos()));
    const int before = m_progress->value();
    m_progress->setValue(meter.position());
    // Show the bar move during the long loop; the person's input waits till it ends.
    if (m_progress->value() != before) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  qt::ControlBinding::setActionListener(
      [this](const DialogAction& action, bool withdrawn) { m_recorder.dialog(action, withdrawn); });

  buildMenus();
  drawingReplaced();
  resize(1280, 860);
  resizeDocks({lineDock}, {170}, Qt::Vertical);
  resizeDocks({layerDock}, {230}, Qt::Horizontal);
}

MainWindow::~MainWindow() {
  qt::ControlBinding::setActionListener(nullptr);
  ProgressMeter::instance().setListener(nullptr);
  Transcript::instance().setListener(nullptr);
  m_userScope.reset();
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  auto add = [this](QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys,
                    const std::function<void()>& what) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    if (!keys.isEmpty()) a->setShortcut(keys);
    connect(a, &QAction::triggered, this, what);
    return a;
  };
  add(file, QStringLiteral("actionNew"), QStringLiteral("&New"), QKeySequence::New, [this] {
    if (!m_busy && mayDiscard()) newDrawing();
  });
  add(file, QStringLiteral("actionOpen"), QStringLiteral("&Open..."), QKeySequence::Open, [this] {
    if (m_busy || !mayDiscard()) return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open drawing"), QString(),
                                                      fileFilterFor(QStringLiteral("dxf")), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) openDrawing(path);
  });
  m_recentMenu = file->addMenu(QStringLiteral("Recent drawings"));
  m_recentMenu->setObjectName(QStringLiteral("menuRecent"));
  fillRecent();
  file->addSeparator();
  add(file, QStringLiteral("actionSave"), QStringLiteral("&Save"), QKeySequence::Save, [this] {
    const wchar_t* name = m_session.document() ? m_session.document()->fileName() : L"";
    if (name && *name) saveDrawing(QString::fromWCharArray(name));
    else if (QAction* a = findChild<QAction*>(QStringLiteral("actionSaveAs"))) a->trigger();
  });
  add(file, QStringLiteral("actionSaveAs"), QStringLiteral("Save &As..."), QKeySequence::SaveAs, [this] {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save drawing as"), QString(),
                                                      fileFilterFor(QStringLiteral("dxf")), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    // The dialog asked about the name it returned, not about one with ".dxf" added.
    if (QFileInfo(path).suffix().isEmpty()) saveDrawing(path + QStringLiteral(".dxf"));
    else saveDrawing(path, true);
  });
  add(file, QStringLiteral("actionPicture"), QStringLiteral("Save &picture as..."), {}, [this] {
    QString chosenFilter;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save picture as"), QString(),
                                                      fileFilterFor(QStringLiteral("picture")), &chosenFilter,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    const bool svg = chosenFilter.contains(QLatin1String("svg"), Qt::CaseInsensitive);
    savePicture(QFileInfo(path).suffix().isEmpty() ? path + (svg ? QStringLiteral(".svg") : QStringLiteral(".png")) : path);
  });
  add(file, QStringLiteral("actionSaveSession"), QStringLiteral("Save session as &job..."), {}, [this] {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save session as job"), QString(),
                                                      fileFilterFor(QStringLiteral("job")), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) saveSession(QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".job") : path);
  });
  file->addSeparator();
  add(file, QStringLiteral("actionQuit"), QStringLiteral("&Quit"), QKeySequence::Quit, [this] { close(); });

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  m_undoAction = add(edit, QStringLiteral("actionUndo"), QStringLiteral("&Undo"), QKeySequence::Undo,
                     [this] { runCommand(QStringLiteral("UNDO")); });
  m_redoAction = add(edit, QStringLiteral("actionRedo"), QStringLiteral("&Redo"), QKeySequence::Redo,
                     [this] { runCommand(QStringLiteral("REDO")); });

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  add(view, QStringLiteral("actionZoomExtents"), QStringLiteral("Zoom &extents"), QKeySequence(Qt::Key_Home),
      [this] { m_view->zoomExtents(); });
  add(view, QStringLiteral("actionZoomIn"), QStringLiteral("Zoom &in"), QKeySequence::ZoomIn, [this] {
    m_view->zoomAbout(QPointF(m_view->width() / 2.0, m_view->height() / 2.0), 2);
  });
  add(view, QStringLiteral("actionZoomOut"), QStringLiteral("Zoom &out"), QKeySequence::ZoomOut, [this] {
    m_view->zoomAbout(QPointF(m_view->width() / 2.0, m_view->height() / 2.0), 0.5);
  });
  QAction* dark = add(view, QStringLiteral("actionDark"), QStringLiteral("&Dark background"), {}, [] {});
  dark->setCheckable(true);
  connect(dark, &QAction::toggled, m_view, &DrawingView::setDarkBackground);
  QAction* shade = add(view, QStringLiteral("actionShade"), QStringLiteral("&Shade by elevation"), {}, [] {});
  shade->setCheckable(true);
  connect(shade, &QAction::toggled, this, [this](bool on) {
    m_view->setShadeByElevation(on);
    m_session.setShadeByElevation(on);  // pictures saved from the window look the same
  });
  view->addSeparator();
  for (QDockWidget* dock : findChildren<QDockWidget*>()) view->addAction(dock->toggleViewAction());

  m_commandsMenu = menuBar()->addMenu(QStringLiteral("&Commands"));
  m_commandsMenu->setObjectName(QStringLiteral("menuCommands"));
  m_commandsBar = addToolBar(QStringLiteral("Commands"));
  m_commandsBar->setObjectName(QStringLiteral("commandsToolBar"));
  m_commandsBar->setIconSize(QSize(24, 24));
  rebuildCommandMenus();
}

void MainWindow::rebuildCommandMenus() {
  m_commandsMenu->clear();
  m_commandsBar->clear();
  m_commandActions.clear();
  AcEdCommandStack* stack = acedRegCmds;
  if (!stack) return;
  std::map<std::wstring, std::vector<const AcEdCommand*>> groups;
  std::set<QString> faces;
  for (const AcEdCommand* c : stack->commands()) groups[c->groupName()].push_back(c);
  for (const auto& [group, commands] : groups) {
    QMenu* menu = m_commandsMenu->addMenu(QString::fromStdWString(group));
    for (const AcEdCommand* c : commands) {
      // A command group offers its commands' global and local names, no
      // images: the button shows letters of the local name and the menu the
      // local name, which a person may type as well.
      const QString name = QString::fromWCharArray(c->globalName());
      const QString local = *c->localName() ? QString::fromWCharArray(c->localName()) : name;
      const QString letters = buttonLetters(local, faces);
      QAction* a = menu->addAction(commandIcon(letters), local);
      a->setIconText(letters);
      a->setObjectName(QStringLiteral("command_") + name);
      a->setToolTip(QString::fromStdWString(group) + QStringLiteral(": ") + local);
      connect(a, &QAction::triggered, this, [this, name] { runCommand(name); });
      m_commandsBar->addAction(a);
      m_commandActions[name.toUpper()] = a;
    }
  }
}

void MainWindow::report(const QString& message) {
  m_commandLine->append(message + QLatin1Char('\n'));
  QMessageBox::warning(this, QStringLiteral("cadhost"), message);
}

void MainWindow::submitted(const QString& text) {
  if (m_user->asking()) {
    m_user->typed(text);
    return;
  }
  if (m_busy) {
    QApplication::beep();  // a dialog has the person now
    return;
  }
  const QString line = text.trimmed();
  if (line.startsWith(QStringLiteral("call "), Qt::CaseInsensitive)) {
    callEntryFunction(line);
    return;
  }
  runCommand(line);
}

bool MainWindow::callEntryFunction(const QString& line) {
  if (m_busy) {
    QApplication::beep();
    return false;
  }
  std::optional<ScriptAction> action;
  try {
    action = JobScript::parseLine(line.toStdWString(), ScriptLocation{});
  } catch (const ScriptError& e) {
    m_commandLine->append(QString::fromStdWString(e.message()) + QLatin1Char('\n'));
    return false;
  }
  if (!action || action->verb != L"call" || !action->has(0) || action->has(2)) {
    m_commandLine->append(QStringLiteral("call takes a function name and at most one text: call CallLoadPoints \"Teren\"\n"));
    return false;
  }
  m_busy = true;
  m_session.keepForUndo(action->text(0));
  m_recorder.host(L"call", action->args);
  m_commandLine->append(line + QLatin1Char('\n'));
  bool ok = true;
  try {
    host::EntryFunctionCaller::call(action->text(0), action->has(1) ? std::optional<std::wstring>(action->text(1))
                                                                    : std::nullopt);
  } catch (const host::HostError& e) {
    m_recorder.retract();
    m_commandLine->append(QString::fromStdWString(e.message()) + QLatin1Char('\n'));
    ok = false;
  } catch (const std::exception& e) {
    m_commandLine->append(QString::fromStdString(e.what()) + QLatin1Char('\n'));
    ok = false;
  }
  m_busy = false;
  afterCommand();
  return ok;
}

bool MainWindow::runCommand(const QString& typed) {
  if (m_busy) {
    QApplication::beep();
    return false;
  }
  QString name = typed.trimmed();
  if (name.isEmpty()) name = m_lastCommand;  // Enter repeats the last command, as CAD does
  if (name.isEmpty()) return false;
  const bool undo = name.compare(QStringLiteral("UNDO"), Qt::CaseInsensitive) == 0;
  if (undo || name.compare(QStringLiteral("REDO"), Qt::CaseInsensitive) == 0) {
    m_recorder.command(name.toUpper().toStdWString());
    m_commandLine->append(QStringLiteral("Command: %1\n").arg(name.toUpper()));
    if (undo ? m_session.undo() : m_session.redo()) drawingRestored();
    else m_recorder.retract();
    return true;
  }
  m_busy = true;
  for (auto& [n, action] : m_commandActions) action->setEnabled(false);
  m_session.keepForUndo(name.toUpper().toStdWString());
  m_recorder.command(name.toStdWString());
  const size_t recorded = m_recorder.lines().size();
  CommandOutcome outcome;
  try {
    outcome = CommandRunner::run(name.toStdWString());
  } catch (const ScriptError& e) {
    outcome.status = CommandOutcome::Status::kFailed;
    outcome.message = e.fullMessage();
  } catch (const std::exception& e) {
    outcome.status = CommandOutcome::Status::kFailed;
    outcome.message = fromUtf8(e.what());
  }
  if (outcome.status == CommandOutcome::Status::kUnknown) {
    // Not a command: nothing to replay.
    if (m_recorder.lines().size() == recorded) m_recorder.retract();
    m_session.forgetLastUndo();
    m_commandLine->append(QStringLiteral("Unknown command \"%1\".\n").arg(name));
  } else {
    m_lastCommand = name;
    if (!outcome.ok() && !outcome.message.empty())
      m_commandLine->append(QString::fromStdWString(outcome.message) + QLatin1Char('\n'));
  }
  m_busy = false;
  for (auto& [n, action] : m_commandActions) action->setEnabled(true);
  if (outcome.status != CommandOutcome::Status::kUnknown) afterCommand();
  return outcome.status != CommandOutcome::Status::kUnknown;
}

void MainWindow::afterCommand() {
  m_modified = true;
  m_view->drawingChanged();
  m_layers->refresh(m_session.document() ? m_session.document()->database() : nullptr);
  rebuildCommandMenus();  // a command may load or unload modules
  updateEditActions();
  updateTitle();
}

void MainWindow::drawingReplaced() {
  AcApDocument* doc = m_session.document();
  m_view->setDocument(doc);
  m_layers->refresh(doc ? doc->database() : nullptr);
  m_modified = false;
  if (doc) m_view->zoomExtents();
  updateEditActions();
  updateTitle();
}

void MainWindow::drawingRestored() {
  AcApDocument* doc = m_session.document();
  m_view->drawingChanged();  // the same drawing, taken back or forward
  m_layers->refresh(doc ? doc->database() : nullptr);
  m_modified = true;
  updateEditActions();
  updateTitle();
}

void MainWindow::updateEditActions() {
  const uv::UndoLog* log = m_session.undoLog();
  const bool undo = log && log->canUndo(), redo = log && log->canRedo();
  if (m_undoAction) {
    m_undoAction->setEnabled(undo);
    m_undoAction->setText(undo ? QStringLiteral("&Undo %1").arg(QString::fromStdWString(log->undoName()))
                               : QStringLiteral("&Undo"));
  }
  if (m_redoAction) {
    m_redoAction->setEnabled(redo);
    m_redoAction->setText(redo ? QStringLiteral("&Redo %1").arg(QString::fromStdWString(log->redoName()))
                               : QStringLiteral("&Redo"));
  }
}

void MainWindow::updateTitle() {
  const wchar_t* name = m_session.document() ? m_session.document()->fileName() : L"";
  const QString file = name && *name ? QFileInfo(QString::fromWCharArray(name)).fileName() : QStringLiteral("Untitled");
  setWindowTitle(file + (m_modified ? QStringLiteral("*") : QString()) + QStringLiteral(" - cadhost"));
}

void MainWindow::newDrawing() {
  m_session.newDrawing();
  m_recorder.host(L"new", {});
  drawingReplaced();
}

bool MainWindow::openDrawing(const QString& path) {
  try {
    m_session.openDrawing(path.toStdWString());
  } catch (const host::HostError& e) {
    report(QString::fromStdWString(e.message()));
    return false;
  }
  m_recorder.host(L"open", {SessionRecorder::quoted(QFileInfo(path).absoluteFilePath().toStdWString())});
  rememberRecent(QFileInfo(path).absoluteFilePath());
  drawingReplaced();
  return true;
}

bool MainWindow::loadModule(const QString& path) {
  const QString full = QFileInfo(path).absoluteFilePath();
  try {
    m_session.loadModule(full.toStdWString());
  } catch (const host::HostError& e) {
    report(QString::fromStdWString(e.message()));
    return false;
  }
  m_recorder.host(L"load", {SessionRecorder::quoted(full.toStdWString())});
  rebuildCommandMenus();
  return true;
}

bool MainWindow::saveDrawing(const QString& path, bool confirmed) {
  const QString full = QFileInfo(path).absoluteFilePath();
  // The save goes into the session before the question's answer, which the person's message box records.
  const size_t recorded = m_recorder.lines().size();
  m_recorder.host(L"save", {SessionRecorder::quoted(full.toStdWString())});
  const bool others = m_session.replacesOthersFile(path.toStdWString());
  if (others && confirmed) m_recorder.messageBox(IDYES);
  bool saved = false;
  try {
    saved = m_session.saveDrawing(path.toStdWString(), confirmed ? host::HostSession::ExistingFile::kReplace
                                                                 : host::HostSession::ExistingFile::kAsk);
  } catch (const host::HostError& e) {
    while (m_recorder.lines().size() > recorded) m_recorder.retract();
    report(QString::fromStdWString(e.message()));
    return false;
  }
  if (!saved) return false;  // the person kept the file; the replay keeps it too
  m_session.document()->setFileName(full.toStdWString());
  rememberRecent(full);
  m_modified = false;
  updateTitle();
  return true;
}

bool MainWindow::savePicture(const QString& path) {
  AcApDocument* doc = m_session.document();
  if (!doc) return false;
  render::DrawingRenderer renderer(*doc->database());
  renderer.setView(doc->view().centre(), doc->view().height());
  renderer.setTemporaryVectors(doc->temporaryGraphics().vectors());
  renderer.setBackground(m_view->background());
  renderer.setShadeByElevation(m_view->shadeByElevation());
  // The file dialog asked about a file there; a replay of the session answers as the person did.
  const bool others = m_session.replacesOthersPicture(path.toStdWString());
  const render::RenderResult r = renderer.writeFile(path.toStdWString(), m_view->size());
  if (!r.ok) {
    report(QString::fromStdWString(r.message));
    return false;
  }
  m_recorder.host(L"view", {SessionRecorder::bare(formatScriptPoint(doc->view().centre())),
                            SessionRecorder::bare(formatScriptNumber(doc->view().height()))});
  m_recorder.host(L"background", {SessionRecorder::bare(m_view->darkBackground() ? L"dark" : L"light")});
  m_recorder.host(L"shade", {SessionRecorder::bare(m_view->shadeByElevation() ? L"elevation" : L"none")});
  m_recorder.host(L"render", {SessionRecorder::quoted(QFileInfo(path).absoluteFilePath().toStdWString())});
  if (others) m_recorder.messageBox(IDYES);
  m_commandLine->append(QStringLiteral("Saved the picture %1\n").arg(path));
  return true;
}

bool MainWindow::saveSession(const QString& path) {
  std::wstring error;
  if (!m_recorder.write(path.toStdWString(), error)) {
    report(QString::fromStdWString(error));
    return false;
  }
  m_commandLine->append(QStringLiteral("Saved the session as %1\n").arg(path));
  return true;
}

void MainWindow::rememberRecent(const QString& path) {
  QSettings settings;
  QStringList recent = settings.value(QStringLiteral("recentDrawings")).toStringList();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kRecentDrawings) recent.removeLast();
  settings.setValue(QStringLiteral("recentDrawings"), recent);
  fillRecent();
}

void MainWindow::fillRecent() {
  m_recentMenu->clear();
  const QStringList recent = QSettings().value(QStringLiteral("recentDrawings")).toStringList();
  for (const QString& path : recent) {
    QAction* a = m_recentMenu->addAction(path);
    connect(a, &QAction::triggered, this, [this, path] {
      if (!m_busy && mayDiscard()) openDrawing(path);
    });
  }
  m_recentMenu->setEnabled(!recent.isEmpty());
}

bool MainWindow::mayDiscard() {
  if (!m_modified) return true;
  const auto answer = QMessageBox::question(this, QStringLiteral("cadhost"),
                                            QStringLiteral("The drawing has changed. Save the changes?"),
                                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                            QMessageBox::Save);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::Discard) return true;
  if (QAction* save = findChild<QAction*>(QStringLiteral("actionSave"))) save->trigger();
  return !m_modified;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (m_busy) {
    m_commandLine->append(QStringLiteral("Finish or cancel the command first.\n"));
    event->ignore();
    return;
  }
  if (!mayDiscard()) {
    event->ignore();
    return;
  }
  event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Typing anywhere in the window goes to the command line, as in CAD.
  m_commandLine->takeKey(event);
}

void MainWindow::switchLayer(const std::wstring& layer, bool on) {
  AcApDocument* doc = m_session.document();
  if (!doc || m_busy) return;
  m_session.keepForUndo(L"layer");
  try {
    host::LayerSettings::setOff(*doc->database(), layer, !on);
  } catch (const host::HostError& e) {
    report(QString::fromStdWString(e.message()));
    return;
  }
  m_recorder.host(L"layer", {SessionRecorder::quoted(layer), SessionRecorder::bare(on ? L"on" : L"off")});
  m_modified = true;
  m_view->drawingChanged();
  updateEditActions();
  updateTitle();
}

void MainWindow::recolourLayer(const std::wstring& layer, int current) {
  AcApDocument* doc = m_session.document();
  if (!doc || m_busy) return;
  AciColorDialog dialog(current, false, this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_session.keepForUndo(L"layer");
  try {
    host::LayerSettings::setColour(*doc->database(), layer, dialog.colour());
  } catch (const host::HostError& e) {
    report(QString::fromStdWString(e.message()));
    return;
  }
  m_recorder.host(L"layer", {SessionRecorder::quoted(layer), SessionRecorder::bare(L"color"),
                             SessionRecorder::bare(std::to_wstring(dialog.colour()))});
  m_modified = true;
  m_view->drawingChanged();
  m_layers->refresh(doc->database());
  updateTitle();
}

}  // namespace uv::gui
