// Carries out a person's action, as a script line names it, on a dialog:
// finds the control (by number or by the symbolic name of the dialog's
// template, also on the shown tab page), checks that a person could reach
// it (visible and enabled), and lets the control do it. The keys Enter
// and Escape and the close box are handled here, and so is "expect", which
// checks what a control shows without acting on it.
//
// Refusals (uv::DialogActionRefused) name the control and why: no such
// control, disabled, hidden, on a page that is not shown, or an action the
// control cannot do.
#pragma once

#include <string>

#include "user/DialogAction.h"

class CDialog;
class CWnd;

namespace uv {

class DialogDriver {
 public:
  static void apply(CDialog& dialog, const DialogAction& action);
  // The control a script names in the dialog or its child dialogs; throws
  // DialogActionRefused when there is none. Does not check usability.
  static CWnd& find(CDialog& dialog, const std::wstring& control);
  // Throws DialogActionRefused unless a person could act on the control.
  static void requireUsable(const CWnd& control);
  // The "expect" line: throws DialogActionRefused, saying what the control
  // shows instead, unless it is enabled, disabled, shown, hidden, focused,
  // shows the text the line names or, a list, has exactly its rows (their
  // first column) or rows drawn on its colours. Not const: a list asks its
  // parent for the colours, as drawing would.
  static void expect(CWnd& control, const DialogAction& action);
};

}  // namespace uv
