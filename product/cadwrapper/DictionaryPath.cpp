#include "product/cadwrapper/DictionaryPath.h"

namespace uv::cadwrapper {

std::vector<std::wstring> dictionaryPath(const wchar_t* name, bool nested) {
  if (!name || !*name) return {};
  const std::wstring whole(name);
  if (!nested) return {whole};
  std::vector<std::wstring> keys;
  size_t start = 0;
  while (true) {
    const size_t dot = whole.find(L'.', start);
    std::wstring key = whole.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start);
    if (key.empty()) return {};
    keys.push_back(std::move(key));
    if (dot == std::wstring::npos) return keys;
    start = dot + 1;
  }
}

}  // namespace uv::cadwrapper
