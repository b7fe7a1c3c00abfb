// The user's answers: plain values that do not depend on the drawing. The
// editor resolves entity and selection answers against the drawing. Each
// answer remembers the script line it came from, if any, so that the editor
// can name it when the drawing has no such entity.
#pragma once

#include <string>
#include <vector>

#include "ge/AcGePoint3d.h"
#include "ScriptLocation.h"

namespace uv {

enum class InputStatus {
  kOk,
  kNone,    // Enter with no input
  kCancel,  // Escape
};

struct PointAnswer {
  InputStatus status = InputStatus::kCancel;
  AcGePoint3d point;
  ScriptLocation source;
};

struct StringAnswer {
  InputStatus status = InputStatus::kCancel;
  std::wstring text;
  ScriptLocation source;
};

struct NumberAnswer {
  InputStatus status = InputStatus::kCancel;
  double value = 0;
  ScriptLocation source;
};

struct EntityAnswer {
  InputStatus status = InputStatus::kCancel;
  bool byHandle = false;
  AcGePoint3d point;   // the pick point (also set, to the origin, for a handle)
  std::wstring handle;
  ScriptLocation source;
};

struct SelectionAnswer {
  enum class Mode { kAll, kWindow, kCrossing, kLast, kPrevious, kHandles, kNone, kCancel };
  Mode mode = Mode::kCancel;
  AcGePoint3d first, second;         // window and crossing corners
  std::vector<std::wstring> handles;
  ScriptLocation source;
};

}  // namespace uv
