#include "FileFinder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "base/TextCase.h"

#ifndef UV_ED_SUPPORT_DIR
#define UV_ED_SUPPORT_DIR ""
#endif

namespace uv {

namespace fs = std::filesystem;

namespace {

std::vector<std::wstring>& added() {
  static std::vector<std::wstring> folders;
  return folders;
}

bool isFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// The name to look for: the .dxf twin of a .dwg name.
fs::path wanted(fs::path name) {
  std::wstring ext = fromUtf8(name.extension().string());
  if (equalsNoCase(ext, L".dwg")) name.replace_extension(".dxf");
  return name;
}

}  // namespace

std::wstring FileFinder::hostSupportFolder() { return fromUtf8(UV_ED_SUPPORT_DIR); }

std::vector<std::wstring> FileFinder::supportFolders() {
  std::vector<std::wstring> folders;
  if (const char* env = std::getenv("UV_SUPPORT_PATH")) {
    std::string list = env;
    size_t start = 0;
    while (start <= list.size()) {
      size_t colon = list.find(':', start);
      std::string part = list.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
      if (!part.empty()) folders.push_back(fromUtf8(part));
      if (colon == std::string::npos) break;
      start = colon + 1;
    }
  }
  for (const auto& f : added()) folders.push_back(f);
  if (!hostSupportFolder().empty()) folders.push_back(hostSupportFolder());
  return folders;
}

void FileFinder::addSupportFolder(const std::wstring& folder) {
  if (std::find(added().begin(), added().end(), folder) == added().end()) added().push_back(folder);
}

void FileFinder::clearAddedSupportFolders() { added().clear(); }

std::optional<std::wstring> FileFinder::find(const std::wstring& nameIn, const std::wstring& drawingFolder) {
  std::wstring name = nameIn;
  std::replace(name.begin(), name.end(), L'\\', L'/');
  if (name.empty()) return std::nullopt;
  fs::path target = wanted(fs::path(toUtf8(name)));
  auto found = [](const fs::path& p) { return fromUtf8(fs::absolute(p).lexically_normal().string()); };

  if (target.has_parent_path()) {
    if (isFile(target)) return found(target);
    return std::nullopt;
  }
  std::vector<fs::path> folders;
  if (!drawingFolder.empty()) folders.emplace_back(toUtf8(drawingFolder));
  folders.push_back(fs::current_path());
  for (const auto& f : supportFolders()) folders.emplace_back(toUtf8(f));
  for (const auto& folder : folders)
    if (isFile(folder / target)) return found(folder / target);
  return std::nullopt;
}

}  // namespace uv
