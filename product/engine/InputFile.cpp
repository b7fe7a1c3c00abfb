// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/TextCase.h"

namespace uv::engine {

InputFile::~InputFile() {
  if (m_fd >= 0) ::close(m_fd);
}

bool InputFile::open(const std::wstring& path, std::string& why) {
  if (path.empty()) {
    why = "no file name was given";
    return false;
  }
  // Non-blocking, so that a pipe in the file's place cannot hang the open; refused below.
  const int fd = ::open(uv::toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    why = errno == ENOENT ? "the file does not exist" : std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    why = S_ISDIR(st.st_mode) ? "it is a folder, not a file" : "it is not a regular file";
    ::close(fd);
    return false;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (m_fd >= 0) ::close(m_fd);
  m_fd = fd;
  m_error.clear();
  setg(nullptr, nullptr, nullptr);
  return true;
}

bool InputFile::rewind() { return seekpos(0, std::ios_base::in) == pos_type(0); }

InputFile::int_type InputFile::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (m_fd < 0) return traits_type::eof();
  ssize_t n;
  do n = ::read(m_fd, m_buffer.data(), m_buffer.size());
  while (n < 0 && errno == EINTR);
  if (n < 0) {
    m_error = std::string("cannot read the file: ") + std::strerror(errno);
    return traits_type::eof();
  }
  if (n == 0) return traits_type::eof();
  setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + n);
  return traits_type::to_int_type(*gptr());
}

std::streamsize InputFile::xsgetn(char* out, std::streamsize n) {
  // What the buffer holds first; a large rest then straight from the file into the caller's
  // room, so that a surface file's megabytes are not copied through the buffer.
  std::streamsize got = 0;
  while (got < n) {
    if (gptr() == egptr() && n - got >= static_cast<std::streamsize>(m_buffer.size()) && m_fd >= 0) {
      ssize_t r;
      do r = ::read(m_fd, out + got, static_cast<std::size_t>(n - got));
      while (r < 0 && errno == EINTR);
      if (r < 0) m_error = std::string("cannot read the file: ") + std::strerror(errno);
      if (r <= 0) break;
      got += r;
      continue;
    }
    if (gptr() == egptr() && traits_type::eq_int_type(underflow(), traits_type::eof())) break;
    const std::streamsize k = std::min<std::streamsize>(n - got, egptr() - gptr());
    std::memcpy(out + got, gptr(), static_cast<std::size_t>(k));
    gbump(static_cast<int>(k));
    got += k;
  }
  return got;
}

InputFile::pos_type InputFile::seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode) {
  if (m_fd < 0) return pos_type(off_type(-1));
  // Positions count from the file's start, not from what the buffer holds.
  if (dir == std::ios_base::cur) offset -= egptr() - gptr();
  const int whence = dir == std::ios_base::beg ? SEEK_SET : dir == std::ios_base::cur ? SEEK_CUR : SEEK_END;
  const off_t at = ::lseek(m_fd, offset, whence);
  if (at < 0) return pos_type(off_type(-1));
  setg(nullptr, nullptr, nullptr);
  return pos_type(at);
}

InputFile::pos_type InputFile::seekpos(pos_type pos, std::ios_base::openmode which) {
  return seekoff(off_type(pos), std::ios_base::beg, which);
}

}  // namespace uv::engine
