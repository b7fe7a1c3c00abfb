#include "ui/ScriptArguments.h"

#include "ui/CWnd.h"
#include "user/ScriptValues.h"

namespace uv {

int scriptItem(const DialogAction& action, size_t i, const std::function<int(const CString&)>& byText, int count,
               const CWnd& control, const wchar_t* noun) {
  const std::wstring& value = action.value(i);
  const bool quoted = action.values[i].quoted;
  int index = -1;
  std::wstring named;
  if (action.isIndex(i)) {
    index = action.index(i);
    named = std::wstring(noun) + L" " + std::to_wstring(index);
  } else if (auto number = parseScriptInteger(value); number && !quoted) {
    index = *number;
    named = std::wstring(noun) + L" " + std::to_wstring(index);
  } else {
    index = byText(CString(value));
    named = std::wstring(noun) + L" \"" + value + L"\"";
  }
  if (index < 0 || index >= count)
    throw DialogActionRefused(control.describeControl() + L" has no " + named + L" (it has " +
                              std::to_wstring(count) + L")");
  return index;
}

std::vector<int> scriptItems(const DialogAction& action, size_t first,
                             const std::function<int(const CString&)>& byText, int count, const CWnd& control,
                             const wchar_t* noun) {
  std::vector<int> items;
  for (size_t i = first; i < action.values.size(); ++i)
    items.push_back(scriptItem(action, i, byText, count, control, noun));
  if (items.empty()) action.value(first);  // throws: the action names no item
  return items;
}

}  // namespace uv
