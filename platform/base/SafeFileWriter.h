// SPDX-License-Identifier: GPL-3.0-or-later
// Replaces a file only once its new content is completely on disk: the bytes go to a temporary
// file in the same folder ("<name>.tmp-XXXXXX", locked while it is written), which is synced and
// renamed over the target, and the folder is synced after the rename. A crash or a full disk
// leaves either the old file or the new one, never half of one.
//
// What a replacement keeps and refuses:
// - a symbolic link stays a link: the file it points to is replaced (through any chain of links);
// - a replaced file keeps its permission bits (and its owner, where the process may set it);
//   a new file gets the usual 0666 less the umask;
// - a target whose mode has no write bit is read-only and refused, also for root, who could
//   write it anyway; a folder, a device or a pipe in the target's place is refused;
// - a temporary file that a killed writer left behind (same pattern, owned by us, no longer
//   locked) is removed before the next replacement of the same target.
// Reasons never name the file: the caller's message does, once.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace uv {

// The calls through which a replacement writes, syncs and renames. Tests pass calls that fail
// at a chosen step (a disk that fills up after some bytes, a sync that reports an I/O error).
struct FileOps {
  ssize_t (*write)(int fd, const void* data, size_t size) = ::write;
  int (*fsync)(int fd) = ::fsync;
  int (*rename)(const char* from, const char* to) = std::rename;
};

// False with the reason when anything fails; the target is then untouched and no temporary
// file is left.
bool replaceFile(const std::wstring& path, const std::vector<unsigned char>& bytes, std::string& why,
                 const FileOps& ops = FileOps{});

// The same for content too large to hold in memory (a drawing of millions of entities):
// `write` puts it into the stream, which goes straight to the temporary file, and returns
// false, with its reason, when it cannot make the content; the target is then untouched.
using ContentWriter = std::function<bool(std::ostream& out, std::string& why)>;
bool replaceFileStreamed(const std::wstring& path, const ContentWriter& write, std::string& why,
                         const FileOps& ops = FileOps{});

// What a replacement of `path` would meet, checked before any byte is written.
struct WriteTarget {
  enum class State { kNew, kExisting, kRefused };
  State state = State::kRefused;
  std::string why;  // for kRefused
};
// Follows links like replaceFile, and creates and removes a probe file in the folder, so a
// folder that cannot take a new file is found before the user's work depends on it.
WriteTarget checkWriteTarget(const std::wstring& path);

// Removes what killed writers left beside `path` (see above); the number removed.
int removeStaleTemporaries(const std::wstring& path);

// True when both paths name the same file: the same file on disk when both exist (links and
// different spellings included), else the same absolute, normalised path.
bool sameFile(const std::wstring& a, const std::wstring& b);

// The path as the operating system takes it (UTF-8).
std::string nativePath(const std::wstring& path);

bool fileExists(const std::wstring& path);

}  // namespace uv
