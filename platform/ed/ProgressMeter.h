// The status bar's progress meter. The state is kept for the front end and
// for tests (every position set since the meter was started). In batch mode
// it draws a bar on standard error when that is a terminal, and stays quiet
// otherwise, so logs and pipes get no control characters.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace uv {

class ProgressMeter {
 public:
  static ProgressMeter& instance();

  // False for a range whose minimum lies above its maximum.
  bool start(const std::wstring& label, int minPos, int maxPos);
  // Positions outside the range are clamped. False while no meter is shown.
  bool setPosition(int pos);
  void restore();

  bool active() const { return m_active; }
  const std::wstring& label() const { return m_label; }
  int minPos() const { return m_min; }
  int maxPos() const { return m_max; }
  int position() const { return m_pos; }
  // Positions set since the last start; the first kMaxHistory of them.
  const std::vector<int>& history() const { return m_history; }
  static constexpr size_t kMaxHistory = 1000000;

  // What a job's `expect progress "label" N of M` finds amiss in the last
  // meter shown: empty when it said the label over a range up to M, moved
  // step by step and never back to N, and is gone; else what it showed.
  std::wstring differsFrom(const std::wstring& label, int position, int maxPos) const;

  // Where the text bar goes; null for nowhere. By default standard error
  // when it is a terminal.
  void setTerminal(std::FILE* terminal) { m_terminal = terminal; }
  // A front end's status bar hears every change.
  void setListener(std::function<void(const ProgressMeter&)> listener) { m_listener = std::move(listener); }

 private:
  ProgressMeter();
  void draw();
  void notify();

  bool m_active = false;
  bool m_shown = false;  // since the program started
  std::wstring m_label;
  int m_min = 0, m_max = 0, m_pos = 0;
  int m_drawnPercent = -1;
  std::vector<int> m_history;
  std::FILE* m_terminal = nullptr;
  std::function<void(const ProgressMeter&)> m_listener;
};

}  // namespace uv
