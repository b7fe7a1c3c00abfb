// Who answers the program: one method per kind of question. The scripted
// user answers from a job script; the desktop front end asks a person.
#pragma once

#include <optional>
#include <string>

#include "Answers.h"
#include "ModalDialog.h"
#include "Questions.h"

namespace uv {

class User {
 public:
  virtual ~User() = default;

  virtual PointAnswer getPoint(const PointQuestion& q) = 0;
  virtual PointAnswer getCorner(const CornerQuestion& q) = 0;
  // Enter gives kNone with an empty text.
  virtual StringAnswer getString(const StringQuestion& q) = 0;
  virtual NumberAnswer getNumber(const NumberQuestion& q) = 0;
  // The keyword as the question spells it.
  virtual StringAnswer getKeyword(const KeywordQuestion& q) = 0;
  virtual EntityAnswer pickEntity(const EntityQuestion& q) = 0;
  virtual SelectionAnswer select(const SelectionQuestion& q) = 0;
  // IDOK, IDCANCEL, IDYES, IDNO, ... as the buttons allow.
  virtual int messageBox(const MessageQuestion& q) = 0;
  // Nothing when the user cancels.
  virtual std::optional<int> chooseColor(const ColorQuestion& q) = 0;
  virtual std::optional<std::wstring> chooseLinetype(const LinetypeQuestion& q) = 0;
  // A full path.
  virtual std::optional<std::wstring> chooseFile(const FileQuestion& q) = 0;
  // Runs the dialog to its end and returns its result.
  virtual INT_PTR runDialog(ModalDialog& dialog) = 0;
};

}  // namespace uv
