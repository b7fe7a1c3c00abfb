#include "ui/ScreenChecks.h"

#include "ui/AfxWin.h"
#include "ui/CDialog.h"
#include "user/ScriptAction.h"
#include "user/ScriptChecks.h"

namespace uv {

namespace {

std::wstring checkDialog(const ScriptAction& line) {
  const bool focused = line.isWord(1, L"focused");
  if ((!line.isWord(1, L"hidden") && !line.isWord(1, L"shown") && !focused) || line.has(2))
    return L"write expect dialog hidden, shown or focused";
  const auto& open = CDialog::openModalDialogs();
  if (open.empty()) return L"no dialog is open";
  if (focused) {
    const CWnd* focus = CWnd::GetFocus();
    for (const CWnd* w = focus; w; w = w->GetParent())
      if (w == open.back()) return L"";
    return open.back()->describe() + L" does not have the focus" +
           (focus ? L"; " + focus->describeControl() + L" has it" : L"");
  }
  const bool shown = open.back()->IsWindowVisible() != FALSE;
  if (shown == line.isWord(1, L"shown")) return L"";
  return open.back()->describe() + (shown ? L" is shown" : L" is hidden");
}

std::wstring checkDrawingEnabled(const ScriptAction& line) {
  if ((!line.isWord(1, L"enabled") && !line.isWord(1, L"disabled")) || line.has(2))
    return L"write expect drawing enabled, or expect drawing disabled";
  const CWnd* main = AfxGetMainWnd();
  const bool enabled = main && main->IsWindowEnabled() != FALSE;
  if (enabled == line.isWord(1, L"enabled")) return L"";
  return enabled ? L"the drawing takes input" : L"the drawing takes no input: a dialog holds it";
}

}  // namespace

void installScreenChecks() {
  setScriptCheck(L"dialog", checkDialog);
  setScriptCheck(L"drawing", checkDrawingEnabled);
}

}  // namespace uv
