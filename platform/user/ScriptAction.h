// One action of a job script: a verb with its arguments, what kind of
// action it is, and the line it came from.
#pragma once

#include <string>
#include <vector>

#include "ge/AcGePoint3d.h"
#include "ScriptLocation.h"

namespace uv {

// A word of a script line. Quoted words keep their quotes' meaning: the
// quoted "#3" is the text #3, the bare #3 is the index 3.
struct ScriptToken {
  std::wstring text;
  bool quoted = false;
};

enum class ActionKind {
  kAnswer,   // answers a prompt, a message box or a host dialog: point, select, file, ...
  kDialog,   // acts on the open dialog: click, set, check, ...
  kHost,     // done by the host between commands: open, save, render, ...
  kCommand,  // a command name as typed at the command line
};

class ScriptAction {
 public:
  ActionKind kind = ActionKind::kCommand;
  std::wstring verb;  // for a command, its name as written
  std::vector<ScriptToken> args;
  ScriptLocation where;

  ScriptAction() = default;
  ScriptAction(ActionKind k, std::wstring v, std::vector<ScriptToken> a = {}, ScriptLocation w = {})
      : kind(k), verb(std::move(v)), args(std::move(a)), where(std::move(w)) {}

  // Builds an action in code as the parser would from one line; the kind
  // comes from the verb. Throws ScriptError when the line does not parse.
  static ScriptAction fromLine(const std::wstring& line);

  // What the script says: the line as written, or the action rebuilt.
  std::wstring describe() const;

  // Typed arguments. Each throws ScriptError naming the line when the
  // argument is missing or is not of that kind.
  const std::wstring& text(size_t i) const;
  double number(size_t i) const;
  int integer(size_t i) const;
  AcGePoint3d point(size_t i) const;
  bool has(size_t i) const { return i < args.size(); }
  // Whether argument i is this bare word, letter case ignored.
  bool isWord(size_t i, const wchar_t* word) const;

 private:
  [[noreturn]] void badArgument(size_t i, const wchar_t* expected) const;
};

}  // namespace uv
