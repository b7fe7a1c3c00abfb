// The desktop program's main window: the drawing view, the command line
// below it, the layer panel beside it, the status bar (cursor coordinates,
// progress meter), the menus and the toolbar of the loaded modules'
// commands. Commands typed or picked run here, one at a time; whatever the
// person does is written down by the session recorder.
#pragma once

#include <map>
#include <string>

#include <QMainWindow>

#include "user/SessionRecorder.h"
#include "user/CurrentUser.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;

namespace uv::host {
class HostSession;
}

namespace uv::gui {

class CommandLine;
class DesktopUser;
class DrawingView;
class LayerPanel;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(host::HostSession& session, QWidget* parent = nullptr);
  ~MainWindow() override;

  DrawingView& view() const { return *m_view; }
  CommandLine& commandLine() const { return *m_commandLine; }
  LayerPanel& layers() const { return *m_layers; }
  DesktopUser& user() const { return *m_user; }
  SessionRecorder& recorder() { return m_recorder; }
  QProgressBar& progress() const { return *m_progress; }
  bool busy() const { return m_busy; }
  bool modified() const { return m_modified; }

  // Runs a command as if typed (empty: the last one again). False when it
  // could not start: another command runs, or no command has that name.
  bool runCommand(const QString& name);
  // "call CallLoadPoints \"Teren\"": an entry function of a loaded module,
  // typed at the command line as a job script writes it.
  bool callEntryFunction(const QString& line);
  // What the File menu does, without its file dialogs; each tells the
  // person what went wrong and returns false.
  bool openDrawing(const QString& path);
  // `confirmed`: the person agreed, in the file dialog, to replace a file
  // already there; otherwise a file that is not the drawing's own is asked about.
  bool saveDrawing(const QString& path, bool confirmed = false);
  bool savePicture(const QString& path);
  bool saveSession(const QString& path);
  void newDrawing();
  // Loads a module into the session (told on the command line and recorded).
  bool loadModule(const QString& path);
  // The modules' commands as menu entries and toolbar buttons.
  void rebuildCommandMenus();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildMenus();
  void submitted(const QString& text);
  void drawingReplaced();
  // Undo or Redo took the drawing back or forward.
  void drawingRestored();
  void updateEditActions();
  void afterCommand();
  void updateTitle();
  void rememberRecent(const QString& path);
  void fillRecent();
  // Asks whether to save a changed drawing; false when the person cancels.
  bool mayDiscard();
  void report(const QString& message);
  void switchLayer(const std::wstring& layer, bool on);
  void recolourLayer(const std::wstring& layer, int current);

  host::HostSession& m_session;
  SessionRecorder m_recorder;
  DrawingView* m_view;
  CommandLine* m_commandLine;
  LayerPanel* m_layers;
  std::unique_ptr<DesktopUser> m_user;  // outlives the scope below that makes it the current user
  std::unique_ptr<UserScope> m_userScope;
  QLabel* m_coordinates;
  QLabel* m_progressLabel;
  QProgressBar* m_progress;
  int m_shownPercent = -1;  // of the progress meter's range, as the bar last showed it
  std::wstring m_shownLabel;
  QMenu* m_recentMenu = nullptr;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  QMenu* m_commandsMenu = nullptr;
  QToolBar* m_commandsBar = nullptr;
  std::map<QString, QAction*> m_commandActions;
  QString m_lastCommand;
  bool m_busy = false;
  bool m_modified = false;
};

}  // namespace uv::gui
