// Writes down what a person does at the desktop program in the job-script
// language, so that the session can be replayed in batch: the commands as
// typed, the answers to prompts, message boxes and host dialogs, the actions
// on dialogs and the host's verbs (open, save, render).
//
// Typing into one field of a dialog is one `set` line with the text the
// keys left there, however many keys it took.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Answers.h"
#include "DialogAction.h"
#include "ScriptAction.h"

namespace uv {

class SessionRecorder {
 public:
  void command(const std::wstring& name);
  void host(const std::wstring& verb, std::vector<ScriptToken> args);

  void point(const PointAnswer& a, bool corner = false);
  void string(const StringAnswer& a);
  void number(const NumberAnswer& a, bool integer);
  void keyword(const StringAnswer& a);
  void entity(const EntityAnswer& a);
  void selection(const SelectionAnswer& a);
  // The button's id (IDOK, IDYES, ...).
  void messageBox(int button);
  void color(const std::optional<int>& colour);
  void linetype(const std::optional<std::wstring>& name);
  void file(const std::optional<std::wstring>& path);

  // An action on the open dialog. `withdrawn` takes back the same action
  // told just before, which the dialog then refused.
  void dialog(const DialogAction& action, bool withdrawn = false);

  // Takes back the last line (a command that turned out not to exist).
  void retract() {
    if (!m_lines.empty()) m_lines.pop_back();
    m_lastSet.reset();
  }
  const std::vector<std::wstring>& lines() const { return m_lines; }
  void clear() { m_lines.clear(); m_lastSet.reset(); }
  // The whole script, a comment line first.
  std::wstring text() const;
  // Writes the script (UTF-8); false with a message naming the file when it
  // cannot. The file is replaced only once the whole script is written.
  bool write(const std::wstring& path, std::wstring& error) const;

  static ScriptToken bare(std::wstring s) { return ScriptToken{std::move(s), false}; }
  static ScriptToken quoted(std::wstring s) { return ScriptToken{std::move(s), true}; }

 private:
  void add(ActionKind kind, const std::wstring& verb, std::vector<ScriptToken> args = {});
  // enter or cancel for an answer that is not kOk; true when written.
  bool keyOf(InputStatus status);

  std::vector<std::wstring> m_lines;
  std::optional<std::wstring> m_lastSet;  // the control of the last line when it is a set
};

}  // namespace uv
