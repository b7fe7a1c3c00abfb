#include "ScriptChecks.h"

#include <map>

#include "ScriptAction.h"

namespace uv {

namespace {
std::map<std::wstring, ScriptCheck>& checks() {
  static std::map<std::wstring, ScriptCheck> installed;
  return installed;
}
}  // namespace

void setScriptCheck(const std::wstring& subject, ScriptCheck check) {
  if (check) checks()[subject] = std::move(check);
  else checks().erase(subject);
}

const ScriptCheck* findScriptCheck(const ScriptAction& line) {
  if (line.verb != L"expect" || !line.has(0) || line.args[0].quoted) return nullptr;
  const auto it = checks().find(line.args[0].text);
  return it == checks().end() ? nullptr : &it->second;
}

}  // namespace uv
