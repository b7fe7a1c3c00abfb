#include "ModuleHandles.h"

#include <unistd.h>

#include <algorithm>
#include <string>

#include "base/TextCase.h"
#include "ModuleLoader.h"

namespace {
std::wstring hostProgramPath() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? uv::fromUtf8(std::string(buf, size_t(n))) : std::wstring();
}
}  // namespace

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  if (!fileName || size == 0) return 0;
  auto& loader = uv::ModuleLoader::instance();
  std::wstring path;
  if (!module || module == loader.hostInstance()) {
    path = hostProgramPath();
  } else if (const uv::ModuleInfo* info = loader.findByInstance(module)) {
    path = info->path;
  } else {
    fileName[0] = 0;
    return 0;
  }
  size_t n = std::min<size_t>(path.size(), size - 1);
  std::copy_n(path.begin(), n, fileName);
  fileName[n] = 0;
  return path.size() >= size ? size : DWORD(n);
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  auto& loader = uv::ModuleLoader::instance();
  if (!moduleName) return loader.hostInstance();
  const uv::ModuleInfo* info = loader.find(moduleName);
  return info ? info->instance : nullptr;
}

namespace uv {
HINSTANCE hostInstance() { return ModuleLoader::instance().hostInstance(); }
HINSTANCE attachingModuleInstance() { return ModuleLoader::instance().attachingInstance(); }
}  // namespace uv
