#include "module/surfaces/SurfaceNaming.h"

#include <cwchar>

const wchar_t InvalidNameSymbols[] = L"!#&[]{}@+-$%&()<>\\/\":?*|,=' \u00B4\u00B8";

static_assert(sizeof(InvalidNameSymbols) / sizeof(wchar_t) == 31, "30 characters and the terminator");

namespace uv::surfaces {

bool HasInvalidNameSymbol(const CString& text) { return text.FindOneOf(InvalidNameSymbols) >= 0; }

std::set<CString> NameSet(const CStringArray& names) {
  std::set<CString> set;
  for (int i = 0; i < names.GetSize(); ++i) set.insert(names[i]);
  return set;
}

CString UniqueName(const CString& name, const std::set<CString>& taken) {
  if (!taken.count(name)) return name;
  CString candidate;
  for (int n = 1;; ++n) {
    candidate.Format(L"%s_%d", name.GetString(), n);
    if (!taken.count(candidate)) return candidate;
  }
}

}  // namespace uv::surfaces
