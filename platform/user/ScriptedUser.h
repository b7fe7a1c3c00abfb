// A user that answers from a queue of script actions, one action per
// question. An action that does not fit the question, or a queue that runs
// out, throws ScriptError naming the script line, what the script says and
// what the program asked:
//
//   job.txt:12: the program asked for a point ("Pick first corner:") but the
//   script says: click IDC_ADD
//
// Dialogs take dialog actions (and enter/cancel, the keys) until they end;
// a prompt or message box a dialog's handler raises takes the next action.
#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptAction.h"
#include "User.h"

namespace uv {

class ScriptedUser : public User {
 public:
  ScriptedUser() = default;
  explicit ScriptedUser(std::vector<ScriptAction> actions) { append(std::move(actions)); }
  // A whole script; the end of the text is its last line, for messages.
  static ScriptedUser fromText(std::wstring_view text, const std::wstring& fileName);
  static ScriptedUser fromFile(const std::wstring& path);

  void append(ScriptAction action) { m_queue.push_back(std::move(action)); }
  void append(std::vector<ScriptAction> actions);
  // Lines as a script would have them: user.appendLines({L"point 1,2", L"enter"}).
  void appendLines(std::initializer_list<const wchar_t*> lines);

  bool empty() const { return m_queue.empty(); }
  size_t pending() const { return m_queue.size(); }
  const ScriptAction* peek() const { return m_queue.empty() ? nullptr : &m_queue.front(); }
  // The next action, for the host's loop between commands. Throws ScriptError
  // when there is none.
  ScriptAction take();
  // Runs the check lines at the head of the queue (ScriptChecks.h): the
  // program is asking for its next action, and they look at it as it stands.
  // Throws ScriptError at the first that fails. take() runs them first; a
  // loop that asks empty() calls this before.
  void runChecks();

  // Where files named by actions built in code are looked for (default: the
  // current folder). Parsed actions use their script's folder.
  void setBaseFolder(std::wstring folder) { m_baseFolder = std::move(folder); }
  // Named when the queue runs out.
  void setEndLocation(ScriptLocation end) { m_end = std::move(end); }

  PointAnswer getPoint(const PointQuestion& q) override;
  PointAnswer getCorner(const CornerQuestion& q) override;
  StringAnswer getString(const StringQuestion& q) override;
  NumberAnswer getNumber(const NumberQuestion& q) override;
  StringAnswer getKeyword(const KeywordQuestion& q) override;
  EntityAnswer pickEntity(const EntityQuestion& q) override;
  SelectionAnswer select(const SelectionQuestion& q) override;
  int messageBox(const MessageQuestion& q) override;
  std::optional<int> chooseColor(const ColorQuestion& q) override;
  std::optional<std::wstring> chooseLinetype(const LinetypeQuestion& q) override;
  std::optional<std::wstring> chooseFile(const FileQuestion& q) override;
  INT_PTR runDialog(ModalDialog& dialog) override;

 private:
  ScriptAction next(const std::wstring& asked);
  // Takes the action answering a prompt: one of verbs (kOk), enter (kNone)
  // or cancel (kCancel); anything else is a mismatch.
  InputStatus promptAction(const std::wstring& asked, std::initializer_list<std::wstring_view> verbs,
                           ScriptAction& action);
  [[noreturn]] void mismatch(const ScriptAction& action, const std::wstring& asked, const std::wstring& why = {}) const;
  std::wstring resolveFile(const ScriptAction& action, const std::wstring& name, const FileQuestion& q) const;

  std::deque<ScriptAction> m_queue;
  std::wstring m_baseFolder;
  ScriptLocation m_end;
};

}  // namespace uv
