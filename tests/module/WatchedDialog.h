// A dialog's run passed through to the scripted user, with the dialog shown
// to a test once it is open and after each action that leaves it open: how
// the fixtures' users look at a dialog while a script drives it. And the
// scripted user the fixtures share, which does so and notes what it was
// asked.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/AfxWin.h"
#include "ui/CDialog.h"
#include "ui/DialogRunner.h"
#include "user/ModalDialog.h"
#include "user/ScriptedUser.h"

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

class WatchingUser : public uv::ScriptedUser {
 public:
  // Texts of the message boxes shown, oldest first.
  std::vector<std::wstring> messages;
  // Called with each dialog as soon as it is open, and after each action that leaves it open.
  WatchedDialog::Watch onOpen, afterAction;

  int messageBox(const uv::MessageQuestion& q) override {
    messages.push_back(q.text);
    return ScriptedUser::messageBox(q);
  }
  INT_PTR runDialog(uv::ModalDialog& dialog) override {
    WatchedDialog watched(dialog, onOpen, afterAction);
    return ScriptedUser::runDialog(watched);
  }
};

}  // namespace uvtest
