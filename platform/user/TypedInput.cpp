#include "TypedInput.h"

#include <algorithm>

#include "base/TextCase.h"
#include "ScriptValues.h"

namespace uv::typed {

namespace {

std::wstring_view trimmed(std::wstring_view s) {
  while (!s.empty() && (s.front() == L' ' || s.front() == L'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == L' ' || s.back() == L'\t')) s.remove_suffix(1);
  return s;
}

bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  return text.size() <= prefix.size() && equalsNoCase(prefix.substr(0, text.size()), text);
}

}  // namespace

std::optional<AcGePoint3d> point(std::wstring_view text, const std::optional<AcGePoint3d>& base) {
  text = trimmed(text);
  const bool relative = !text.empty() && text.front() == L'@';
  if (relative) text.remove_prefix(1);
  std::optional<AcGePoint3d> p = parseScriptPoint(text);
  if (!p) return std::nullopt;
  if (relative) {
    const AcGePoint3d from = base.value_or(AcGePoint3d(0, 0, 0));
    p = AcGePoint3d(from.x + p->x, from.y + p->y, from.z + p->z);
  }
  return p;
}

std::optional<double> number(std::wstring_view text, bool integer) {
  text = trimmed(text);
  if (integer) {
    const std::optional<int> n = parseScriptInteger(text);
    return n ? std::optional<double>(*n) : std::nullopt;
  }
  return parseScriptNumber(text);
}

std::optional<std::wstring> keyword(std::wstring_view text, const std::vector<std::wstring>& keywords) {
  text = trimmed(text);
  if (text.empty()) return std::nullopt;
  for (const std::wstring& k : keywords)
    if (equalsNoCase(k, text)) return k;
  std::optional<std::wstring> only;
  for (const std::wstring& k : keywords) {
    if (!startsWithNoCase(text, k)) continue;
    if (only) return std::nullopt;  // ambiguous
    only = k;
  }
  return only;
}

std::optional<SelectionAnswer::Mode> selectionWord(std::wstring_view text) {
  using Mode = SelectionAnswer::Mode;
  text = trimmed(text);
  if (equalsNoCase(text, L"all")) return Mode::kAll;
  if (equalsNoCase(text, L"l") || equalsNoCase(text, L"last")) return Mode::kLast;
  if (equalsNoCase(text, L"p") || equalsNoCase(text, L"previous")) return Mode::kPrevious;
  return std::nullopt;
}

}  // namespace uv::typed
