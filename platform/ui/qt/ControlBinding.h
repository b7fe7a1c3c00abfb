// The tie between one control of the model and its widget. refresh()
// copies the model's state into the widget (the dialog view calls it on
// every change the model reports); the widget's signals become a
// person's actions on the model (the user* functions), never direct
// changes of the model's state.
#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "user/DialogAction.h"

class CWnd;

namespace uv::qt {

class DialogMetrics;

class ControlBinding : public QObject {
 public:
  ControlBinding(CWnd& control, QWidget* widget, const DialogMetrics& metrics);
  ~ControlBinding() override;

  CWnd& control() const { return m_control; }
  QWidget* widget() const { return m_widget; }
  // Copies the model's state into the widget.
  void refresh();

  // Makes the binding of a control's kind, its widget a child of `parent`.
  static std::unique_ptr<ControlBinding> create(CWnd& control, QWidget* parent, const DialogMetrics& metrics);

  // Hears every action a person carries out through the widgets, said as a
  // job script would say it (a session recorder writes it down); null for
  // nobody. An action is told before it runs, as what it starts (a prompt, a
  // further dialog) comes after it; one the model then refuses is told again
  // with `withdrawn` set.
  using ActionListener = std::function<void(const DialogAction&, bool withdrawn)>;
  static void setActionListener(ActionListener listener);

 protected:
  // The kind's own state; the base has done rectangle, visibility,
  // enabling and tool tip.
  virtual void refreshState() {}
  // Runs a person's action on the model, then delivers the messages it
  // posted. An action the model refuses beeps; nothing else happens.
  // `said` is what a script would say for the action, for the listener.
  void act(const std::function<void()>& action, const DialogAction& said = {});
  // "#3": the bare index of a row, item or page, as scripts name them.
  static ScriptToken index(int i) { return ScriptToken{L"#" + std::to_wstring(i), false}; }
  static ScriptToken text(const std::wstring& s) { return ScriptToken{s, true}; }
  // Tells the listener of an action already carried out (typing, whose
  // script form is the text it left).
  static void tell(const DialogAction& said);
  static std::vector<ScriptToken> indices(const std::vector<int>& rows) {
    std::vector<ScriptToken> out;
    for (int r : rows) out.push_back(index(r));
    return out;
  }
  static ScriptToken number(int i) { return ScriptToken{std::to_wstring(i), false}; }
  DialogAction said(const wchar_t* verb, std::vector<ScriptToken> values = {}) const;
  // True while the widget is being updated from the model: its signals
  // are then not a person's.
  bool updating() const { return m_updating; }
  const DialogMetrics& metrics() const { return m_metrics; }

 private:
  CWnd& m_control;
  QPointer<QWidget> m_widget;
  const DialogMetrics& m_metrics;
  bool m_updating = false;
};

}  // namespace uv::qt
