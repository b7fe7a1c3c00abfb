// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/SafeFileWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <streambuf>

#include "base/TextCase.h"

namespace uv {

namespace {

constexpr const char* kTempMark = ".tmp-";
constexpr std::size_t kTempRandom = 6;
constexpr int kMaxLinks = 40;

std::string reason(int err) { return std::strerror(err); }

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names, through any chain of symbolic links; a dangling link gives
// the path it points to, where the new file will be made.
bool resolveLinks(const std::string& path, std::string& resolved, std::string& why) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      resolved = current;
      return true;
    }
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0) {
      why = "cannot follow its symbolic link: " + reason(errno);
      return false;
    }
    link.resize(static_cast<std::size_t>(n));
    current = link.front() == '/' ? link : folderOf(current) + "/" + link;
  }
  why = "too many symbolic links lead to it";
  return false;
}

// Refuses what may not be replaced; `existing` tells whether there is a file to replace.
bool checkResolved(const std::string& target, struct stat& st, bool& existing, std::string& why) {
  existing = ::stat(target.c_str(), &st) == 0;
  if (!existing) {
    if (errno == ENOTDIR) {
      why = "its folder is not a folder but a file";
      return false;
    }
    if (errno != ENOENT) {
      why = reason(errno);
      return false;
    }
    struct stat folder {};
    if (::stat(folderOf(target).c_str(), &folder) != 0) {
      why = errno == ENOENT ? "its folder does not exist" : "its folder cannot be reached: " + reason(errno);
      return false;
    }
    if (!S_ISDIR(folder.st_mode)) {
      why = "its folder is not a folder but a file";
      return false;
    }
    return true;
  }
  if (S_ISDIR(st.st_mode)) {
    why = "it is a folder, not a file";
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    why = "it is not a regular file";
    return false;
  }
  // Judged by the mode, so that a file marked read-only stays so for root too.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    why = "the file is read-only; make it writable or choose another file";
    return false;
  }
  if (::geteuid() != 0 && ::access(target.c_str(), W_OK) != 0) {
    why = "you may not write the file: " + reason(errno);
    return false;
  }
  return true;
}

bool isTempName(const std::string& candidate, const std::string& name) {
  const std::string prefix = name + kTempMark;
  if (candidate.size() != prefix.size() + kTempRandom || candidate.compare(0, prefix.size(), prefix) != 0)
    return false;
  for (std::size_t i = prefix.size(); i < candidate.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(candidate[i]))) return false;
  return true;
}

// A new temporary file beside `target`, locked for as long as it is open, so that a cleaner
// never takes the file of a writer that is still at work.
int createTemp(const std::string& target, std::string& temp, std::string& why) {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, sizeof kChars - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target + kTempMark;
    for (std::size_t i = 0; i < kTempRandom; ++i) temp += kChars[pick(random)];
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX);
      return fd;
    }
    if (errno != EEXIST) {
      why = errno == EACCES || errno == EPERM || errno == EROFS
                ? "its folder does not take new files: " + reason(errno)
                : "cannot create a temporary file beside it: " + reason(errno);
      return -1;
    }
  }
  why = "cannot find a free temporary file name beside it";
  return -1;
}

void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Some file systems cannot sync a folder; the new content is in place either way.
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string nativePath(const std::wstring& path) { return uv::toUtf8(path); }

bool fileExists(const std::wstring& path) {
  struct stat st {};
  return ::stat(nativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int removeStaleTemporaries(const std::wstring& path) {
  std::string target, why;
  if (path.empty() || !resolveLinks(nativePath(path), target, why)) return 0;
  const std::string folder = folderOf(target), name = nameOf(target);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string candidate = entry->d_name;
    if (!isTempName(candidate, name)) continue;
    const std::string full = folder + "/" + candidate;
    struct stat st {};
    if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    const int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat opened {};
    // A writer that is alive holds the lock; only a dead one's file is free.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && opened.st_dev == st.st_dev &&
        opened.st_ino == st.st_ino && ::unlink(full.c_str()) == 0)
      ++removed;
    ::close(fd);
  }
  ::closedir(dir);
  return removed;
}

WriteTarget checkWriteTarget(const std::wstring& path) {
  WriteTarget result;
  std::string target;
  if (path.empty()) {
    result.why = "no file name was given";
    return result;
  }
  if (!resolveLinks(nativePath(path), target, result.why)) return result;
  struct stat st {};
  bool existing = false;
  if (!checkResolved(target, st, existing, result.why)) return result;
  std::string probe;
  const int fd = createTemp(target, probe, result.why);
  if (fd < 0) return result;
  ::unlink(probe.c_str());
  ::close(fd);
  result.state = existing ? WriteTarget::State::kExisting : WriteTarget::State::kNew;
  return result;
}

namespace {

// An output stream's buffer onto a file descriptor, through FileOps::write, that remembers
// why a write failed (a full disk gives ENOSPC).
class DescriptorBuffer : public std::streambuf {
 public:
  DescriptorBuffer(int fd, const FileOps& ops) : m_fd(fd), m_ops(ops) {}
  int error() const { return m_error; }

 protected:
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    std::streamsize written = 0;
    while (written < size) {
      const ssize_t n = m_ops.write(m_fd, data + written, static_cast<size_t>(size - written));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        m_error = n < 0 ? errno : ENOSPC;
        return written;
      }
      written += n;
    }
    return written;
  }
  int_type overflow(int_type ch) override {
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
  }

 private:
  int m_fd;
  const FileOps& m_ops;
  int m_error = 0;
};

}  // namespace

bool replaceFile(const std::wstring& path, const std::vector<unsigned char>& bytes, std::string& why,
                 const FileOps& ops) {
  return replaceFileStreamed(
      path,
      [&bytes](std::ostream& out, std::string&) {
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return true;
      },
      why, ops);
}

bool replaceFileStreamed(const std::wstring& path, const ContentWriter& write, std::string& why,
                         const FileOps& ops) {
  if (path.empty()) {
    why = "no file name was given";
    return false;
  }
  std::string target;
  if (!resolveLinks(nativePath(path), target, why)) return false;
  removeStaleTemporaries(uv::fromUtf8(target));
  struct stat st {};
  bool existing = false;
  if (!checkResolved(target, st, existing, why)) return false;
  std::string temp;
  const int fd = createTemp(target, temp, why);
  if (fd < 0) return false;
  auto abandon = [&] {
    ::unlink(temp.c_str());
    ::close(fd);
    return false;
  };
  auto fail = [&](const std::string& what, int err) {
    why = what + ": " + reason(err);
    return abandon();
  };
  if (existing) {
    // The replacement is the same document: it keeps who may read and write it.
    // Only root may give a file away; failing that, the file becomes ours with the same mode.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) (void)!::fchown(fd, st.st_uid, st.st_gid);
    if (::fchmod(fd, st.st_mode & 07777) != 0) return fail("cannot keep the file's permissions", errno);
  }
  DescriptorBuffer buffer(fd, ops);
  std::ostream out(&buffer);
  bool made = false;
  try {
    made = write(out, why);
  } catch (...) {
    // A writer that throws (no memory for its content) leaves no temporary file behind.
    abandon();
    throw;
  }
  if (!made) return abandon();
  out.flush();
  if (buffer.error() || !out) return fail("cannot write the new content", buffer.error() ? buffer.error() : EIO);
  if (ops.fsync(fd) != 0) return fail("cannot flush the new content to disk", errno);
  // Renamed while still open and locked, so no cleaner can take it in between.
  if (ops.rename(temp.c_str(), target.c_str()) != 0) return fail("cannot put the new content in place", errno);
  ::close(fd);
  syncFolder(folderOf(target));
  return true;
}

bool sameFile(const std::wstring& a, const std::wstring& b) {
  const std::string pa = nativePath(a), pb = nativePath(b);
  struct stat sa {}, sb {};
  if (::stat(pa.c_str(), &sa) == 0 && ::stat(pb.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  std::error_code ea, eb;
  const auto na = std::filesystem::absolute(pa, ea).lexically_normal();
  const auto nb = std::filesystem::absolute(pb, eb).lexically_normal();
  return !ea && !eb && na == nb;
}

}  // namespace uv
