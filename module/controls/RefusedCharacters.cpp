#include "module/controls/RefusedCharacters.h"

namespace uv {

std::wstring withoutRefused(const std::wstring& text, const std::wstring& refused) {
  std::wstring kept;
  for (wchar_t c : text)
    if (refused.find(c) == std::wstring::npos) kept += c;
  return kept;
}

}  // namespace uv
