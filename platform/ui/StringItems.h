// The items of a combo box or a list box: texts with item data, inserted
// in order or sorted the way Windows sorts them (ignoring letter case), and
// found by prefix or whole text, ignoring case, searching after a start
// item and wrapping around as Windows does.
#pragma once

#include <vector>

#include "base/CString.h"
#include "ui/WinUser.h"

namespace uv {

class StringItems {
 public:
  struct Item {
    CString text;
    DWORD_PTR data = 0;
  };

  int count() const { return int(m_items.size()); }
  bool valid(int index) const { return index >= 0 && index < count(); }
  const Item& at(int index) const { return m_items[size_t(index)]; }
  Item& at(int index) { return m_items[size_t(index)]; }

  // Where a sorted list puts the text: after every item not greater than it.
  int sortedPosition(const CString& text) const;
  // Inserts at `index` (-1: at the end); returns the index.
  int insert(int index, const CString& text);
  void remove(int index) { m_items.erase(m_items.begin() + index); }
  void clear() { m_items.clear(); }

  // -1 when nothing matches. `after` -1 searches from the first item.
  int findPrefix(int after, const CString& prefix) const;
  int findExact(int after, const CString& text) const;
  // For scripts: the item whose text is exactly this, else the only one
  // equal to it ignoring case; -1 otherwise.
  int findForScript(const CString& text) const;

 private:
  template <class Match>
  int search(int after, Match match) const;

  std::vector<Item> m_items;
};

}  // namespace uv
