// The host functions a module object calls from initApp and uninitApp with
// its full file path, and the list of paths they keep.
#pragma once

#include <string>
#include <vector>

void onLoadArxApp(const wchar_t* path);
void onUnloadArxApp(const wchar_t* path);

namespace uv {
// In load order; a path leaves the list at onUnloadArxApp.
const std::vector<std::wstring>& loadedArxAppPaths();
}  // namespace uv
