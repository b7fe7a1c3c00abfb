#include "Transcript.h"

#include <cstdio>

#include "base/TextCase.h"

namespace uv {

Transcript& Transcript::instance() {
  static Transcript transcript;
  return transcript;
}

void Transcript::write(std::wstring_view text) {
  if (text.empty()) return;
  m_text.append(text);
  if (m_echo) {
    std::string bytes = toUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
  }
  if (m_listener) m_listener(text);
}

std::vector<std::wstring> Transcript::lines() const {
  std::vector<std::wstring> out;
  size_t start = 0;
  while (start < m_text.size()) {
    size_t nl = m_text.find(L'\n', start);
    if (nl == std::wstring::npos) {
      out.push_back(m_text.substr(start));
      break;
    }
    out.push_back(m_text.substr(start, nl - start));
    start = nl + 1;
  }
  return out;
}

}  // namespace uv
