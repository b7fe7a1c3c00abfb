// A dialog out of the way while the user works in the drawing (the host's
// begin-editor-command hides it), and back, with the focus, when the scope
// ends, also when an exception passes.
#pragma once

#include "ui/CAdUiDialog.h"

namespace uv {

class EditorCommandScope {
 public:
  explicit EditorCommandScope(CAdUiDialog& dialog) : m_dialog(dialog) { m_dialog.BeginEditorCommand(); }
  ~EditorCommandScope() { m_dialog.CompleteEditorCommand(TRUE); }
  EditorCommandScope(const EditorCommandScope&) = delete;
  EditorCommandScope& operator=(const EditorCommandScope&) = delete;

 private:
  CAdUiDialog& m_dialog;
};

}  // namespace uv
