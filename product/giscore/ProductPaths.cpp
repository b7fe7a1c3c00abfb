#include "product/giscore/ProductPaths.h"

#include <cstdlib>
#include <system_error>

namespace uv::giscore {

namespace fs = std::filesystem;

namespace {

fs::path fromEnvironment(const char* name) {
  const char* v = std::getenv(name);
  if (!v || !*v) return {};
  std::error_code ec;
  const fs::path full = fs::absolute(v, ec);
  return (ec ? fs::path(v) : full).lexically_normal();
}

}  // namespace

fs::path dataFolder() {
  if (fs::path env = fromEnvironment("KVLX_DATA_DIR"); !env.empty()) return env;
  const fs::path installed = KVLX_INSTALLED_DATA_DIR;
  std::error_code ec;
  if (fs::is_regular_file(installed / "messages.txt", ec)) return installed;
  return fs::path(KVLX_SOURCE_DATA_DIR);
}

fs::path symbolFolder() {
  if (fs::path env = fromEnvironment("KVLX_SYMBOL_DIR"); !env.empty()) return env;
  return dataFolder() / "symbols";
}

fs::path catalogueFile() { return dataFolder() / "messages.txt"; }

fs::path iconFile(const std::string& name) { return dataFolder() / "icons" / (name + ".xpm"); }

std::string withTrailingSeparator(const fs::path& folder) {
  std::string s = folder.string();
  if (s.empty()) return s;
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  if (s != "/") s += '/';
  return s;
}

}  // namespace uv::giscore
