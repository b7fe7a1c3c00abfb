#include "Wildcard.h"

#include <cwctype>
#include <vector>

#include "base/TextCase.h"

namespace uv {

namespace {

bool same(wchar_t a, wchar_t b, bool ignoreCase) { return ignoreCase ? foldCase(a) == foldCase(b) : a == b; }

// Matches a bracket class starting at pattern[p] == '['; sets p past ']'.
// A class without its closing bracket is taken literally.
bool classMatches(std::wstring_view pattern, size_t& p, wchar_t c, bool ignoreCase, bool& wellFormed) {
  size_t i = p + 1;
  bool negate = i < pattern.size() && pattern[i] == L'~';
  if (negate) ++i;
  bool hit = false;
  bool first = true;
  while (i < pattern.size() && (pattern[i] != L']' || first)) {
    wchar_t lo = pattern[i];
    if (lo == L'`' && i + 1 < pattern.size()) lo = pattern[++i];
    if (i + 2 < pattern.size() && pattern[i + 1] == L'-' && pattern[i + 2] != L']') {
      wchar_t hi = pattern[i + 2];
      wchar_t fc = ignoreCase ? foldCase(c) : c;
      wchar_t flo = ignoreCase ? foldCase(lo) : lo, fhi = ignoreCase ? foldCase(hi) : hi;
      if ((c >= lo && c <= hi) || (fc >= flo && fc <= fhi)) hit = true;
      i += 3;
    } else {
      if (same(lo, c, ignoreCase)) hit = true;
      ++i;
    }
    first = false;
  }
  wellFormed = i < pattern.size();
  if (!wellFormed) return false;
  p = i + 1;
  return hit != negate;
}

bool matchOne(std::wstring_view text, size_t t, std::wstring_view pattern, size_t p, bool ignoreCase) {
  while (p < pattern.size()) {
    wchar_t pc = pattern[p];
    if (pc == L'*') {
      while (p < pattern.size() && pattern[p] == L'*') ++p;
      if (p == pattern.size()) return true;
      for (size_t k = t; k <= text.size(); ++k)
        if (matchOne(text, k, pattern, p, ignoreCase)) return true;
      return false;
    }
    if (t >= text.size()) return false;
    wchar_t c = text[t];
    switch (pc) {
      case L'?': break;
      case L'#':
        if (!std::iswdigit(wint_t(c))) return false;
        break;
      case L'@':
        if (!std::iswalpha(wint_t(c)) && foldCase(c) == upperCase(c)) return false;
        break;
      case L'.':
        if (std::iswalnum(wint_t(c)) || foldCase(c) != upperCase(c)) return false;
        break;
      case L'[': {
        bool wellFormed = true;
        size_t q = p;
        bool hit = classMatches(pattern, q, c, ignoreCase, wellFormed);
        if (wellFormed) {
          if (!hit) return false;
          ++t;
          p = q;
          continue;
        }
        if (c != L'[') return false;
        break;
      }
      case L'`':
        if (p + 1 < pattern.size()) ++p;
        if (!same(pattern[p], c, ignoreCase)) return false;
        break;
      default:
        if (!same(pc, c, ignoreCase)) return false;
    }
    ++t;
    ++p;
  }
  return t == text.size();
}

// The alternatives of a pattern, cut at commas that are not escaped or inside brackets.
std::vector<std::wstring_view> alternatives(std::wstring_view pattern) {
  std::vector<std::wstring_view> out;
  size_t start = 0;
  bool inClass = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    wchar_t c = pattern[i];
    if (c == L'`') {
      ++i;
    } else if (c == L'[' && !inClass) {
      inClass = pattern.find(L']', i + 2) != std::wstring_view::npos;
    } else if (c == L']' && inClass) {
      inClass = false;
    } else if (c == L',' && !inClass) {
      out.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(pattern.substr(start));
  return out;
}

}  // namespace

bool matchWildcard(std::wstring_view text, std::wstring_view pattern, bool ignoreCase) {
  for (std::wstring_view alt : alternatives(pattern)) {
    bool negate = !alt.empty() && alt.front() == L'~';
    if (negate) alt.remove_prefix(1);
    if (matchOne(text, 0, alt, 0, ignoreCase) != negate) return true;
  }
  return false;
}

}  // namespace uv
