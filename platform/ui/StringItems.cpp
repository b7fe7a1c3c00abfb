#include "ui/StringItems.h"

#include "base/TextCase.h"

namespace uv {

int StringItems::sortedPosition(const CString& text) const {
  int i = 0;
  while (i < count() && compareNoCase(at(i).text.str(), text.str()) <= 0) ++i;
  return i;
}

int StringItems::insert(int index, const CString& text) {
  if (index < 0 || index > count()) index = count();
  m_items.insert(m_items.begin() + index, Item{text, 0});
  return index;
}

template <class Match>
int StringItems::search(int after, Match match) const {
  const int n = count();
  if (n == 0) return -1;
  const int start = (after < -1 || after >= n) ? 0 : after + 1;
  for (int k = 0; k < n; ++k) {
    int i = (start + k) % n;
    if (match(at(i).text)) return i;
  }
  return -1;
}

int StringItems::findPrefix(int after, const CString& prefix) const {
  return search(after, [&](const CString& t) {
    return t.GetLength() >= prefix.GetLength() && equalsNoCase(t.Left(prefix.GetLength()).str(), prefix.str());
  });
}

int StringItems::findExact(int after, const CString& text) const {
  return search(after, [&](const CString& t) { return equalsNoCase(t.str(), text.str()); });
}

int StringItems::findForScript(const CString& text) const {
  int found = -1;
  for (int i = 0; i < count(); ++i) {
    if (at(i).text == text) return i;
    if (equalsNoCase(at(i).text.str(), text.str())) {
      if (found >= 0) return -1;  // ambiguous
      found = i;
    }
  }
  return found;
}

}  // namespace uv
