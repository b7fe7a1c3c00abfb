// One user action on an open dialog, as a script line gives it: a verb, the
// control it addresses (a symbolic name such as IDC_ADD or a number) and
// the values that follow. The dialog interprets it.
//
//   click IDC_ADD                 verb "click",  control "IDC_ADD"
//   choose IDC_LIST #3            values: [#3]  (bare: the index 3)
//   edit-cell IDC_GRID 2 1 "x"    values: [2, 1, "x"]
//   close / enter / cancel        no control
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "ScriptAction.h"

namespace uv {

// Thrown by a dialog that cannot carry out an action (no such control, a
// disabled button, an item that is not in the list). The scripted user adds
// the script line and the dialog's name.
class DialogActionRefused : public std::runtime_error {
 public:
  explicit DialogActionRefused(const std::wstring& reason);
  const std::wstring& reason() const { return m_reason; }

 private:
  std::wstring m_reason;
};

struct DialogAction {
  std::wstring verb;
  std::wstring control;
  std::vector<ScriptToken> values;
  ScriptLocation where;

  DialogAction() = default;
  DialogAction(std::wstring v, std::wstring c = {}, std::vector<ScriptToken> vals = {})
      : verb(std::move(v)), control(std::move(c)), values(std::move(vals)) {}
  // The verbs that take no control (close, enter, cancel) keep all arguments as values.
  static DialogAction fromScript(const ScriptAction& action);

  std::wstring describe() const;

  // Checked access; each throws DialogActionRefused when the value is
  // missing or not of that kind.
  const std::wstring& value(size_t i) const;
  int integer(size_t i) const;
  // "on" / "off"
  bool isOn(size_t i) const;
  // A bare "#3" is the index 3; anything else is not an index.
  bool isIndex(size_t i) const;
  int index(size_t i) const;
};

}  // namespace uv
