#include "ui/DialogDriver.h"

#include <cwchar>
#include <functional>

#include "base/TextCase.h"
#include "ui/AciColors.h"
#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CListCtrl.h"
#include "user/MessageBoxCodes.h"
#include "user/ScriptValues.h"

namespace uv {

namespace {

struct StandardId {
  const wchar_t* name;
  int id;
};
constexpr StandardId kStandardIds[] = {{L"IDOK", IDOK},       {L"IDCANCEL", IDCANCEL}, {L"IDABORT", IDABORT},
                                       {L"IDRETRY", IDRETRY}, {L"IDIGNORE", IDIGNORE}, {L"IDYES", IDYES},
                                       {L"IDNO", IDNO},       {L"IDCLOSE", IDCLOSE},   {L"IDHELP", IDHELP}};

bool isChildDialog(const CWnd* w) {
  return w->widgetKind() == WidgetKind::kDialog && (w->GetStyle() & WS_CHILD);
}

// Every window below `root`, child dialogs included, in tab order.
void collect(CWnd& root, std::vector<CWnd*>& out) {
  for (CWnd* child : root.children()) {
    out.push_back(child);
    if (isChildDialog(child)) collect(*child, out);
  }
}

// The controls the templates of `root` and of its child dialogs name so.
void namedIn(CWnd& root, const std::wstring& name, std::vector<CWnd*>& out) {
  if (auto* dialog = dynamic_cast<CDialog*>(&root); dialog && dialog->dialogTemplate())
    if (const ControlTemplate* c = dialog->dialogTemplate()->control(name))
      if (CWnd* w = dialog->GetDlgItem(c->id)) out.push_back(w);
  for (CWnd* child : root.children())
    if (isChildDialog(child)) namedIn(*child, name, out);
}

const CDialog* pageOf(const CWnd& control) {
  for (const CWnd* w = control.GetParent(); w; w = w->GetParent())
    if (isChildDialog(w)) return dynamic_cast<const CDialog*>(w);
  return nullptr;
}

std::wstring folded(std::wstring s) {
  for (wchar_t& ch : s) ch = foldCase(ch);
  return s;
}

// A row's background as a script writes it: "default" for the list's own,
// the name of a standard colour ("yellow"), else "#RRGGBB".
std::wstring colourWord(COLORREF c) {
  if (c == CLR_DEFAULT) return L"default";
  if (c == RGB(0, 0, 0)) return L"black";
  for (int index = 1; index <= 7; ++index)
    if (aciToRgb(index) == c) return folded(aciName(index).str());
  wchar_t hex[8];
  std::swprintf(hex, 8, L"#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return hex;
}

// A colour of an expect line in the same words; "#ffff00" is "yellow".
std::wstring colourWord(const std::wstring& written) {
  if (written.size() == 7 && written[0] == L'#' &&
      written.find_first_not_of(L"0123456789abcdefABCDEF", 1) == std::wstring::npos) {
    const unsigned long rgb = std::wcstoul(written.c_str() + 1, nullptr, 16);
    return colourWord(RGB(BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb)));
  }
  return folded(written);
}

}  // namespace

CWnd& DialogDriver::find(CDialog& dialog, const std::wstring& control) {
  std::optional<int> id;
  if (auto number = parseScriptInteger(control)) id = *number;
  for (const auto& s : kStandardIds)
    if (!id && control == s.name) id = s.id;
  std::vector<CWnd*> matches;
  if (id) {
    std::vector<CWnd*> windows;
    collect(dialog, windows);
    for (CWnd* w : windows)
      if (w->GetDlgCtrlID() == *id && !isChildDialog(w)) matches.push_back(w);
  } else {
    namedIn(dialog, control, matches);
    if (matches.empty()) {  // a control made at run time and given a name
      std::vector<CWnd*> windows;
      collect(dialog, windows);
      for (CWnd* w : windows)
        if (w->controlName() == control) matches.push_back(w);
    }
  }
  if (matches.empty())
    throw DialogActionRefused(id ? L"it has no control " + control : L"it has no control named " + control);
  // The same control on two pages: the one a person can see.
  for (CWnd* w : matches)
    if (w->IsWindowVisible()) return *w;
  return *matches.front();
}

void DialogDriver::requireUsable(const CWnd& control) {
  if (control.isUsable()) return;
  if (const CDialog* page = pageOf(control); page && !page->IsWindowVisible())
    throw DialogActionRefused(control.describeControl() + L" is on the page \"" + page->windowText().str() +
                              L"\", which is not shown");
  for (const CWnd* w = &control; w; w = w->GetParent()) {
    if (!(w->GetStyle() & WS_VISIBLE))
      throw DialogActionRefused(control.describeControl() + L" is hidden");
    if (w->GetStyle() & WS_DISABLED) throw DialogActionRefused(control.describeControl() + L" is disabled");
  }
  throw DialogActionRefused(control.describeControl() + L" is not on the screen");
}

void DialogDriver::apply(CDialog& dialog, const DialogAction& action) {
  if (action.verb == L"close") {
    dialog.SendMessage(WM_CLOSE);
    return;
  }
  if (action.verb == L"enter" || action.verb == L"cancel") {
    const int id = action.verb == L"enter" ? int(LOWORD(dialog.GetDefID())) : IDCANCEL;
    CWnd* button = dialog.GetDlgItem(id);
    if (button) requireUsable(*button);
    auto* push = dynamic_cast<CButton*>(button);
    if (push && action.verb == L"enter")
      push->userClick();
    else
      dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), button ? LPARAM(button->GetSafeHwnd()) : 0);
    return;
  }
  if (action.control.empty()) throw DialogActionRefused(L"\"" + action.verb + L"\" needs a control");
  CWnd& control = find(dialog, action.control);
  if (action.verb == L"expect") {
    expect(control, action);  // looking needs no reach: a disabled control is what it may check
    return;
  }
  requireUsable(control);
  // A person types into the field they clicked: it takes the focus.
  if (action.verb == L"set" || action.verb == L"type") control.SetFocus();
  control.applyUserAction(action);
}

void DialogDriver::expect(CWnd& control, const DialogAction& action) {
  const std::wstring& state = action.value(0);
  if (equalsNoCase(state, L"enabled") || equalsNoCase(state, L"disabled")) {
    const bool enabled = control.IsWindowEnabled() != FALSE;
    if (enabled != equalsNoCase(state, L"enabled"))
      throw DialogActionRefused(control.describeControl() + (enabled ? L" is enabled" : L" is disabled"));
  } else if (equalsNoCase(state, L"shown") || equalsNoCase(state, L"hidden")) {
    const bool shown = control.IsWindowVisible() != FALSE;
    if (shown != equalsNoCase(state, L"shown"))
      throw DialogActionRefused(control.describeControl() + (shown ? L" is shown" : L" is hidden"));
  } else if (equalsNoCase(state, L"focused")) {
    const CWnd* focus = CWnd::GetFocus();
    for (const CWnd* w = focus; w; w = w->GetParent())
      if (w == &control) return;  // the control or a part of it, as the edit of a combo box
    throw DialogActionRefused(control.describeControl() + L" does not have the focus" +
                              (focus ? L"; " + focus->describeControl() + L" has it" : L""));
  } else if (equalsNoCase(state, L"rows") || equalsNoCase(state, L"selected") || equalsNoCase(state, L"ticked")) {
    const auto* list = dynamic_cast<const CListCtrl*>(&control);
    if (!list) throw DialogActionRefused(control.describeControl() + L" is not a list");
    // Every row, or only the selected or the ticked ones, top to bottom.
    const bool selected = equalsNoCase(state, L"selected"), ticked = equalsNoCase(state, L"ticked");
    std::wstring shown, wanted;
    for (int row = 0; row < list->GetItemCount(); ++row)
      if ((!selected || list->GetItemState(row, LVIS_SELECTED)) && (!ticked || list->GetCheck(row)))
        shown += L" \"" + list->GetItemText(row, 0).str() + L"\"";
    for (size_t i = 1; i < action.values.size(); ++i) wanted += L" \"" + action.values[i].text + L"\"";
    const std::wstring which = selected ? L" has selected" : ticked ? L" has ticked" : L" has the rows";
    if (shown != wanted) throw DialogActionRefused(control.describeControl() + which + (shown.empty() ? L" (none)" : shown));
  } else if (equalsNoCase(state, L"colours")) {
    auto* list = dynamic_cast<CListCtrl*>(&control);
    if (!list) throw DialogActionRefused(control.describeControl() + L" is not a list");
    // The background each row is drawn on, top to bottom.
    std::wstring shown, wanted;
    for (int row = 0; row < list->GetItemCount(); ++row) shown += L" " + colourWord(list->itemColours(row, 0).background);
    for (size_t i = 1; i < action.values.size(); ++i) wanted += L" " + colourWord(action.values[i].text);
    if (shown != wanted)
      throw DialogActionRefused(control.describeControl() + L" has the colours" + (shown.empty() ? L" (none)" : shown));
  } else if (equalsNoCase(state, L"text")) {
    if (control.windowText().str() != action.value(1))
      throw DialogActionRefused(control.describeControl() + L" shows \"" + control.windowText().str() + L"\"");
  } else {
    throw DialogActionRefused(L"\"" + action.describe() + L"\": expect enabled, disabled, shown, hidden, focused, text, rows, selected, ticked or colours");
  }
}

}  // namespace uv
