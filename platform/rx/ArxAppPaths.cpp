#include "ArxAppPaths.h"

#include <algorithm>

namespace {
std::vector<std::wstring>& paths() {
  static std::vector<std::wstring> list;
  return list;
}
}  // namespace

void onLoadArxApp(const wchar_t* path) {
  if (path && *path) paths().emplace_back(path);
}

void onUnloadArxApp(const wchar_t* path) {
  if (!path) return;
  auto& list = paths();
  auto it = std::find(list.begin(), list.end(), std::wstring(path));
  if (it != list.end()) list.erase(it);
}

namespace uv {
const std::vector<std::wstring>& loadedArxAppPaths() { return paths(); }
}  // namespace uv
