// A dialog's run passed through to the scripted user, with the dialog shown
// to a test once it is open and after each action that leaves it open: how
// the fixtures' users look at a dialog while a script drives it.
#pragma once

#include <functional>
#include <string>

#include "ui/DialogRunner.h"
#include "user/ModalDialog.h"

namespace uvtest {

class WatchedDialog : public uv::ModalDialog {
 public:
  using Watch = std::function<void(CDialog&)>;
  WatchedDialog(uv::ModalDialog& inner, Watch onOpen, Watch afterAction = {})
      : m_inner(inner), m_onOpen(std::move(onOpen)), m_afterAction(std::move(afterAction)) {}

  void initialise() override {
    m_inner.initialise();
    watch(m_onOpen);
  }
  void apply(const uv::DialogAction& action) override {
    m_inner.apply(action);
    if (!m_inner.isEnded()) watch(m_afterAction);
  }
  bool isEnded() const override { return m_inner.isEnded(); }
  INT_PTR result() const override { return m_inner.result(); }
  std::wstring title() const override { return m_inner.title(); }
  std::wstring describe() const override { return m_inner.describe(); }

 private:
  void watch(const Watch& w) {
    if (auto* runner = dynamic_cast<uv::DialogRunner*>(&m_inner); runner && w) w(runner->dialog());
  }

  uv::ModalDialog& m_inner;
  Watch m_onOpen, m_afterAction;
};

}  // namespace uvtest
