// A dialog as the user sees it while it runs modally: the dialog framework
// implements this, and a User (scripted or a real front end) drives it.
//
//   initialise();                    // OnInitDialog; may end the dialog at once
//   while (!isEnded()) apply(next);  // each action fires what a person's would
//   return result();                 // the EndDialog value
#pragma once

#include <string>

#include "base/WinTypes.h"
#include "DialogAction.h"

namespace uv {

class ModalDialog {
 public:
  virtual ~ModalDialog() = default;

  virtual void initialise() = 0;
  // Throws DialogActionRefused when the action cannot be carried out; the
  // dialog is then as it was before.
  virtual void apply(const DialogAction& action) = 0;
  virtual bool isEnded() const = 0;
  virtual INT_PTR result() const = 0;
  virtual std::wstring title() const = 0;
  // For messages: "the dialog \"New surface\" (template 221)".
  virtual std::wstring describe() const { return L"the dialog \"" + title() + L"\""; }
};

}  // namespace uv
