// SPDX-License-Identifier: GPL-3.0-or-later
// Replaces a file only once its new content is completely on disk: the bytes go to a temporary
// file in the same folder, which is flushed, synced and then renamed over the target. A crash or
// a full disk leaves either the old file or the new one, never half of one.
#pragma once

#include <string>
#include <vector>

namespace uv::engine {

// False with a message naming the file when anything fails; the target is then untouched and
// the temporary file removed.
bool replaceFile(const std::wstring& path, const std::vector<unsigned char>& bytes, std::string& error);

// The path as the operating system takes it (UTF-8).
std::string nativePath(const std::wstring& path);

bool fileExists(const std::wstring& path);

}  // namespace uv::engine
