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

 protected:
  // The kind's own state; the base has done rectangle, visibility,
  // enabling and tool tip.
  virtual void refreshState() {}
  // Runs a person's action on the model, then delivers the messages it
  // posted. An action the model refuses beeps; nothing else happens.
  void act(const std::function<void()>& action);
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
