// A CDialog as the user runs it modally (uv::ModalDialog): CDialog::DoModal
// hands one to the current user. The runner builds the dialog from its
// template, calls OnInitDialog and shows it; each action is carried out by
// DialogDriver, then posted messages are delivered; when the run ends,
// however it ends, the dialog's window is destroyed.
#pragma once

#include "user/ModalDialog.h"

class CDialog;

namespace uv {

class DialogRunner : public ModalDialog {
 public:
  explicit DialogRunner(CDialog& dialog) : m_dialog(dialog) {}
  ~DialogRunner() override;
  DialogRunner(const DialogRunner&) = delete;
  DialogRunner& operator=(const DialogRunner&) = delete;

  void initialise() override;
  void apply(const DialogAction& action) override;
  bool isEnded() const override;
  INT_PTR result() const override;
  std::wstring title() const override;
  std::wstring describe() const override;

  CDialog& dialog() { return m_dialog; }

 private:
  CDialog& m_dialog;
  bool m_begun = false;
};

}  // namespace uv
