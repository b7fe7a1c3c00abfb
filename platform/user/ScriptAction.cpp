#include "ScriptAction.h"

#include "base/TextCase.h"
#include "JobScript.h"
#include "ScriptError.h"
#include "ScriptValues.h"

namespace uv {

namespace {
std::wstring quote(const std::wstring& s) {
  std::wstring out = L"\"";
  for (wchar_t c : s) {
    if (c == L'"' || c == L'\\') out += L'\\';
    if (c == L'\n') {
      out += L"\\n";
      continue;
    }
    out += c;
  }
  return out + L"\"";
}
}  // namespace

ScriptAction ScriptAction::fromLine(const std::wstring& line) {
  auto action = JobScript::parseLine(line, ScriptLocation{});
  if (!action) throw ScriptError(ScriptLocation{}, L"an empty action");
  action->where = ScriptLocation{};  // built in code: no line to name
  return *action;
}

std::wstring ScriptAction::describe() const {
  if (!where.text.empty()) return where.text;
  std::wstring s = verb;
  for (const auto& a : args) s += L" " + (a.quoted ? quote(a.text) : a.text);
  return s;
}

void ScriptAction::badArgument(size_t i, const wchar_t* expected) const {
  std::wstring found = i < args.size() ? L"\"" + args[i].text + L"\"" : std::wstring(L"nothing");
  throw ScriptError(where, L"\"" + describe() + L"\": argument " + std::to_wstring(i + 1) + L" should be " + expected +
                               L", found " + found);
}

const std::wstring& ScriptAction::text(size_t i) const {
  if (i >= args.size()) badArgument(i, L"a text");
  return args[i].text;
}

double ScriptAction::number(size_t i) const {
  auto v = i < args.size() && !args[i].quoted ? parseScriptNumber(args[i].text) : std::nullopt;
  if (!v) badArgument(i, L"a number");
  return *v;
}

int ScriptAction::integer(size_t i) const {
  auto v = i < args.size() && !args[i].quoted ? parseScriptInteger(args[i].text) : std::nullopt;
  if (!v) badArgument(i, L"an integer");
  return *v;
}

AcGePoint3d ScriptAction::point(size_t i) const {
  auto v = i < args.size() && !args[i].quoted ? parseScriptPoint(args[i].text) : std::nullopt;
  if (!v) badArgument(i, L"a point x,y or x,y,z");
  return *v;
}

bool ScriptAction::isWord(size_t i, const wchar_t* word) const {
  return i < args.size() && !args[i].quoted && equalsNoCase(args[i].text, word);
}

}  // namespace uv
