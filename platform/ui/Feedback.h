// What a dialog signals without words: the warning beep and the wait
// cursor. Both are counted so that tests can see them; a front end can
// listen to make them audible and visible.
#pragma once

#include <functional>
#include <vector>

#include "ui/WinUser.h"

// Plays the sound of that message-box icon (MB_OK, MB_ICONEXCLAMATION, ...).
BOOL MessageBeep(UINT type);

namespace uv {

class Feedback {
 public:
  // The beeps so far, by type, oldest first.
  static const std::vector<UINT>& beeps();
  static void clearBeeps();
  // Nesting depth of the wait cursor; 0 when the normal cursor shows.
  static int waitCursorDepth();
  // How many times the wait cursor has appeared (depth went from 0 to 1).
  static int waitCursorShown();

  // Called on every beep and on every change of the wait cursor.
  static void setBeepListener(std::function<void(UINT)> listener);
  static void setWaitCursorListener(std::function<void(bool waiting)> listener);

  static void beep(UINT type);
  static void beginWait();
  static void endWait();
};

}  // namespace uv

// Shows the wait cursor for its lifetime.
class CWaitCursor {
 public:
  CWaitCursor() { uv::Feedback::beginWait(); }
  ~CWaitCursor() { uv::Feedback::endWait(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  // Shows it again after a message box has put the normal cursor back.
  void Restore() {}
};
