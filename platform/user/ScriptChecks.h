// What a job's "expect" lines check beyond the open dialog's controls:
// "expect dialog hidden", "expect progress ..." (the status bar's meter),
// each named by its first word. The state they look at
// lives in layers above this one, so the host installs a check for each
// subject at start-up; ScriptedUser runs a check line whenever the program
// asks for its next action, at a prompt as in a dialog or between commands.
#pragma once

#include <functional>
#include <string>

namespace uv {

class ScriptAction;

// Empty when the program is as the line says, else what it shows instead.
using ScriptCheck = std::function<std::wstring(const ScriptAction& line)>;

// The check of the lines "expect <subject> ..."; an empty check removes it.
void setScriptCheck(const std::wstring& subject, ScriptCheck check);
// The check installed for the line's first word, or null.
const ScriptCheck* findScriptCheck(const ScriptAction& line);

}  // namespace uv
