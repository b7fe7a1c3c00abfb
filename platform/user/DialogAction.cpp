#include "DialogAction.h"

#include "base/TextCase.h"
#include "ScriptValues.h"

namespace uv {

DialogActionRefused::DialogActionRefused(const std::wstring& reason)
    : std::runtime_error(toUtf8(reason)), m_reason(reason) {}

DialogAction DialogAction::fromScript(const ScriptAction& action) {
  DialogAction d;
  d.verb = action.verb;
  d.where = action.where;
  bool takesControl = !action.args.empty() && action.verb != L"close" && action.verb != L"enter" &&
                      action.verb != L"cancel";
  size_t first = 0;
  if (takesControl) {
    d.control = action.args[0].text;
    first = 1;
  }
  d.values.assign(action.args.begin() + std::ptrdiff_t(first), action.args.end());
  return d;
}

std::wstring DialogAction::describe() const {
  if (!where.text.empty()) return where.text;
  std::wstring s = verb;
  if (!control.empty()) s += L" " + control;
  for (const auto& v : values) s += v.quoted ? L" \"" + v.text + L"\"" : L" " + v.text;
  return s;
}

const std::wstring& DialogAction::value(size_t i) const {
  if (i >= values.size())
    throw DialogActionRefused(L"\"" + describe() + L"\" lacks value " + std::to_wstring(i + 1));
  return values[i].text;
}

int DialogAction::integer(size_t i) const {
  auto v = parseScriptInteger(value(i));
  if (!v || values[i].quoted)
    throw DialogActionRefused(L"\"" + describe() + L"\": value " + std::to_wstring(i + 1) + L" should be an integer");
  return *v;
}

bool DialogAction::isOn(size_t i) const {
  const std::wstring& v = value(i);
  if (equalsNoCase(v, L"on")) return true;
  if (equalsNoCase(v, L"off")) return false;
  throw DialogActionRefused(L"\"" + describe() + L"\": value " + std::to_wstring(i + 1) + L" should be on or off");
}

bool DialogAction::isIndex(size_t i) const {
  return i < values.size() && !values[i].quoted && values[i].text.size() > 1 && values[i].text[0] == L'#' &&
         parseScriptInteger(std::wstring_view(values[i].text).substr(1)).has_value();
}

int DialogAction::index(size_t i) const {
  if (!isIndex(i))
    throw DialogActionRefused(L"\"" + describe() + L"\": value " + std::to_wstring(i + 1) + L" should be an index #n");
  return *parseScriptInteger(std::wstring_view(values[i].text).substr(1));
}

}  // namespace uv
