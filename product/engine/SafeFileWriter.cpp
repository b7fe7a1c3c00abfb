// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/TextCase.h"

namespace uv::engine {

std::string nativePath(const std::wstring& path) { return uv::toUtf8(path); }

bool fileExists(const std::wstring& path) {
  struct stat st {};
  return ::stat(nativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool replaceFile(const std::wstring& path, const std::vector<unsigned char>& bytes, std::string& error) {
  const std::string target = nativePath(path);
  if (target.empty()) {
    error = "no file name given for the surface file";
    return false;
  }
  std::string temp = target + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = target + ": cannot create a temporary file beside it: " + std::strerror(errno);
    return false;
  }
  auto fail = [&](const char* what) {
    error = target + ": " + what + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write the new content");
    }
    written += static_cast<std::size_t>(n);
  }
  // mkstemp makes the file private; a surface file is a document like any other.
  ::fchmod(fd, 0644);
  if (::fsync(fd) != 0) return fail("cannot flush the new content to disk");
  if (::close(fd) != 0) {
    error = target + ": cannot close the new content: " + std::strerror(errno);
    ::unlink(temp.c_str());
    return false;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    error = target + ": cannot put the new content in place: " + std::strerror(errno);
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace uv::engine
