// A stream over a text that cannot seek, as a pipe: the DXF reader must
// then hold what it would otherwise read again.
#pragma once

#include <algorithm>
#include <istream>
#include <streambuf>
#include <string>

namespace uvtest {

class PipeBuffer : public std::streambuf {
 public:
  explicit PipeBuffer(std::string text) : m_text(std::move(text)) {}

 protected:
  // Handed out in small pieces, as a pipe does.
  int_type underflow() override {
    if (m_next >= m_text.size()) return traits_type::eof();
    const size_t n = std::min<size_t>(4096, m_text.size() - m_next);
    char* begin = m_text.data() + m_next;
    setg(begin, begin, begin + n);
    m_next += n;
    return traits_type::to_int_type(*begin);
  }

 private:
  std::string m_text;
  size_t m_next = 0;
};

class PipeStream : public std::istream {
 public:
  explicit PipeStream(std::string text) : std::istream(nullptr), m_buffer(std::move(text)) { rdbuf(&m_buffer); }

 private:
  PipeBuffer m_buffer;
};

}  // namespace uvtest
