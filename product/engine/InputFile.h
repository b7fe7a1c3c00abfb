// SPDX-License-Identifier: GPL-3.0-or-later
// A file opened for reading whose stream buffer never throws: a read error ends the stream as
// an early end does, and error() then tells it from a file that is simply short. A folder, a
// device or a pipe is refused when opened, so no reader ever blocks or throws on one.
#pragma once

#include <streambuf>
#include <string>
#include <vector>

namespace uv::engine {

class InputFile : private std::streambuf {
 public:
  InputFile() = default;
  ~InputFile() override;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // False with the reason (without the path) when the path is no regular file that we may read.
  bool open(const std::wstring& path, std::string& why);
  std::streambuf& buffer() { return *this; }
  // Why the last read failed; empty when every read succeeded (the file may still end early).
  const std::string& error() const { return m_error; }
  // Back to the first byte.
  bool rewind();

 private:
  int_type underflow() override;
  std::streamsize xsgetn(char* out, std::streamsize n) override;
  pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode which) override;
  pos_type seekpos(pos_type pos, std::ios_base::openmode which) override;

  int m_fd = -1;
  std::vector<char> m_buffer = std::vector<char>(1 << 16);
  std::string m_error;
};

}  // namespace uv::engine
