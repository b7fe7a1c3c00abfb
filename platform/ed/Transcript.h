// The command line's history: everything printed with acutPrintf and every
// prompt with its answer. The host shows it, tests read it, and in batch
// mode it is echoed to standard output as it grows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace uv {

class Transcript {
 public:
  static Transcript& instance();

  void write(std::wstring_view text);
  const std::wstring& text() const { return m_text; }
  // The text cut at newlines; a trailing partial line is included.
  std::vector<std::wstring> lines() const;
  void clear() { m_text.clear(); }

  // Batch mode: copy everything written to standard output (UTF-8).
  void setEcho(bool echo) { m_echo = echo; }
  bool echo() const { return m_echo; }
  // A front end that shows the command line hears each write.
  void setListener(std::function<void(std::wstring_view)> listener) { m_listener = std::move(listener); }

 private:
  std::wstring m_text;
  bool m_echo = false;
  std::function<void(std::wstring_view)> m_listener;
};

}  // namespace uv
