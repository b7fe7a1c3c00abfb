#include "ProgressMeter.h"

#include <unistd.h>

#include <algorithm>
#include <functional>

#include "base/TextCase.h"

namespace uv {

ProgressMeter& ProgressMeter::instance() {
  static ProgressMeter meter;
  return meter;
}

ProgressMeter::ProgressMeter() : m_terminal(isatty(STDERR_FILENO) ? stderr : nullptr) {}

bool ProgressMeter::start(const std::wstring& label, int minPos, int maxPos) {
  if (minPos > maxPos) return false;
  m_active = m_shown = true;
  m_label = label;
  m_min = minPos;
  m_max = maxPos;
  m_pos = minPos;
  m_history.clear();
  // Room for every position the range can take (up to the kept maximum) at once: a load of
  // a million lines sets a million, and growing the list step by step copied it each time.
  m_history.reserve(size_t(std::min<long long>((long long)maxPos - minPos + 1, (long long)kMaxHistory)));
  m_drawnPercent = -1;
  draw();
  notify();
  return true;
}

bool ProgressMeter::setPosition(int pos) {
  if (!m_active) return false;
  m_pos = std::clamp(pos, m_min, m_max);
  if (m_history.size() < kMaxHistory) m_history.push_back(m_pos);
  draw();
  notify();
  return true;
}

void ProgressMeter::restore() {
  if (m_active && m_terminal && m_drawnPercent >= 0) {
    std::fputs("\r\033[K", m_terminal);  // wipe the bar's line
    std::fflush(m_terminal);
  }
  m_active = false;
  m_drawnPercent = -1;
  notify();
}

std::wstring ProgressMeter::differsFrom(const std::wstring& label, int position, int maxPos) const {
  if (!m_shown) return L"no progress meter was shown";
  const std::wstring seen = L"the progress meter \"" + m_label + L"\" at " + std::to_wstring(m_pos) + L" of " +
                            std::to_wstring(m_max);
  if (m_active) return seen + L" is still shown";
  if (m_label != label || m_pos != position || m_max != maxPos) return seen;
  const auto back = std::adjacent_find(m_history.begin(), m_history.end(), std::greater<int>());
  if (back != m_history.end())
    return seen + L" went back from " + std::to_wstring(back[0]) + L" to " + std::to_wstring(back[1]);
  if (m_pos - m_min > 1 && m_history.size() < 2) return seen + L" went there in one step";
  return L"";
}

void ProgressMeter::draw() {
  if (!m_terminal) return;
  int span = m_max - m_min;
  int percent = span > 0 ? int((long long)(m_pos - m_min) * 100 / span) : 100;
  if (percent == m_drawnPercent) return;  // redraw only when the bar changes
  m_drawnPercent = percent;
  constexpr int kWidth = 30;
  std::string bar(size_t(percent * kWidth / 100), '#');
  bar.resize(kWidth, '.');
  std::fprintf(m_terminal, "\r%s [%s] %3d%%", toUtf8(m_label).c_str(), bar.c_str(), percent);
  std::fflush(m_terminal);
}

void ProgressMeter::notify() {
  if (m_listener) m_listener(*this);
}

}  // namespace uv
