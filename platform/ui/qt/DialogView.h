// A dialog of the model shown as a real Qt dialog. Every control becomes
// its widget, placed by its rectangle converted with the dialog font's base
// units; tab pages and other child dialogs become containers. The view
// watches the model: whatever changes it (the program, a script, this
// view) is shown at once. The widgets' events are a person's actions on
// the model; Enter, Escape and the close box go to the model as keys do,
// and the view closes when the model's dialog ends.
#pragma once

#include <map>
#include <memory>

#include <QDialog>

#include "ui/WindowObserver.h"
#include "ui/qt/ControlBinding.h"
#include "ui/qt/DialogMetrics.h"
#include "user/ModalDialog.h"

class CDialog;
class CWnd;

namespace uv::qt {

class DialogView : public QDialog, public WindowObserver {
 public:
  explicit DialogView(CDialog& dialog, QWidget* parent = nullptr);
  ~DialogView() override;

  CDialog& dialog() const { return m_dialog; }
  const DialogMetrics& metrics() const { return m_metrics; }
  // The widget showing the control, or null.
  QWidget* widgetOf(const CWnd& control) const;

  // A front end's way to run a modal dialog (what User::runDialog asks):
  // initialises it, shows it and returns its result when it ends.
  static INT_PTR runModal(ModalDialog& dialog);

 protected:
  void windowChanged(CWnd& window, WindowChange change) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void bind(CWnd& window, QWidget* parent);
  void key(const wchar_t* verb);

  CDialog& m_dialog;
  DialogMetrics m_metrics;
  std::map<const CWnd*, std::unique_ptr<ControlBinding>> m_bindings;
};

}  // namespace uv::qt
