#include "ui/Feedback.h"

namespace uv {

namespace {

struct State {
  std::vector<UINT> beeps;
  int depth = 0;
  int shown = 0;
  std::function<void(UINT)> beepListener;
  std::function<void(bool)> waitListener;
};

State& state() {
  static State s;
  return s;
}

}  // namespace

const std::vector<UINT>& Feedback::beeps() { return state().beeps; }
void Feedback::clearBeeps() { state().beeps.clear(); }
int Feedback::waitCursorDepth() { return state().depth; }
int Feedback::waitCursorShown() { return state().shown; }
void Feedback::setBeepListener(std::function<void(UINT)> listener) { state().beepListener = std::move(listener); }
void Feedback::setWaitCursorListener(std::function<void(bool)> listener) {
  state().waitListener = std::move(listener);
}

void Feedback::beep(UINT type) {
  state().beeps.push_back(type);
  if (state().beepListener) state().beepListener(type);
}

void Feedback::beginWait() {
  if (state().depth++ == 0) {
    ++state().shown;
    if (state().waitListener) state().waitListener(true);
  }
}

void Feedback::endWait() {
  if (state().depth == 0) return;
  if (--state().depth == 0 && state().waitListener) state().waitListener(false);
}

}  // namespace uv

BOOL MessageBeep(UINT type) {
  uv::Feedback::beep(type);
  return TRUE;
}
