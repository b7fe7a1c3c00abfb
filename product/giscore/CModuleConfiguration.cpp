#include "product/giscore/CModuleConfiguration.h"

#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>

#include "base/TextCase.h"
#include "product/giscore/Icon.h"
#include "product/giscore/MessageCatalogue.h"
#include "product/giscore/ProductPaths.h"

namespace {

using uv::giscore::Icon;
using uv::giscore::MessageCatalogue;

std::mutex g_mutex;

// The catalogue of the current data folder; read again when the folder
// changes (a test or a job pointing KVLX_DATA_DIR elsewhere).
const MessageCatalogue& currentCatalogue() {
  static std::string loadedFrom;
  static std::unique_ptr<MessageCatalogue> catalogue;
  const std::string file = uv::giscore::catalogueFile().string();
  if (!catalogue || file != loadedFrom) {
    catalogue = std::make_unique<MessageCatalogue>(MessageCatalogue::load(file));
    loadedFrom = file;
    for (const std::string& p : catalogue->problems()) std::cerr << p << '\n';
  }
  return *catalogue;
}

bool isIconName(const std::wstring& name) {
  if (name.empty() || name.size() > 64) return false;
  for (wchar_t c : name)
    if (!((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_')) return false;
  return true;
}

// Icons by file; never freed, so a handle given out stays valid. A file that
// failed is remembered as null so that its fault is told once.
std::map<std::string, std::unique_ptr<Icon>>& iconsByFile() {
  static std::map<std::string, std::unique_ptr<Icon>> icons;
  return icons;
}

std::unique_ptr<Icon> readIcon(const std::wstring& name, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::in | std::ios::binary);
  if (!in) {
    std::cerr << file.string() << ": cannot open the icon \"" << uv::toUtf8(name) << "\"\n";
    return nullptr;
  }
  try {
    return std::make_unique<Icon>(Icon{name, file, uv::giscore::XpmImage::parse(in, file.string())});
  } catch (const uv::giscore::XpmError& e) {
    std::cerr << e.what() << '\n';
    return nullptr;
  }
}

}  // namespace

CString CModuleConfiguration::GetMsg(UINT id) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (const std::wstring* text = currentCatalogue().find(id)) return CString(*text);
  return CString(uv::giscore::missingMessageText(id));
}

HICON CModuleConfiguration::GetIcon(const wchar_t* name) {
  const std::wstring n = name ? name : L"";
  if (!isIconName(n)) {
    std::cerr << "GetIcon: \"" << uv::toUtf8(n) << "\" is not an icon name (letters, digits and _ only)\n";
    return nullptr;
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  const std::filesystem::path file = uv::giscore::iconFile(uv::toUtf8(n));
  auto& icons = iconsByFile();
  auto it = icons.find(file.string());
  if (it == icons.end()) it = icons.emplace(file.string(), readIcon(n, file)).first;
  return reinterpret_cast<HICON>(it->second.get());
}

const uv::giscore::Icon* CModuleConfiguration::GetIconImage(HICON icon) {
  if (!icon) return nullptr;
  std::lock_guard<std::mutex> lock(g_mutex);
  for (const auto& [file, known] : iconsByFile())
    if (reinterpret_cast<HICON>(known.get()) == icon) return known.get();
  return nullptr;
}

CString CModuleConfiguration::GetPath(const wchar_t* key) {
  const std::wstring k = key ? key : L"";
  if (uv::equalsNoCase(k, L"Symbol")) return CString(uv::giscore::withTrailingSeparator(uv::giscore::symbolFolder()));
  if (uv::equalsNoCase(k, L"Data")) return CString(uv::giscore::withTrailingSeparator(uv::giscore::dataFolder()));
  return CString();
}
