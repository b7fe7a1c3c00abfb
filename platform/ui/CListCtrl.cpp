#include "ui/CListCtrl.h"

#include <algorithm>
#include <numeric>

#include "base/TextCase.h"
#include "ui/DialogUnits.h"
#include "ui/ScriptArguments.h"
#include "user/DialogAction.h"

namespace {

// Space Windows leaves around a cell's text, pixels.
constexpr int kCellMargin = 12;

constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

}  // namespace

int CHeaderCtrl::GetItemCount() const { return m_list ? m_list->columnCount() : 0; }

CListCtrl::CListCtrl() { m_header.m_list = this; }

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(L"SysListView32", L"", style, rect, parent, id);
}

int CListCtrl::textWidth(const CString& text) const { return text.GetLength() * uv::DialogUnits::standard().baseX; }

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int) {
  if (column < 0) return -1;
  column = std::min(column, columnCount());
  Column c{CString(heading ? heading : L""), format, 0};
  c.width = width >= 0 ? width : textWidth(c.heading) + kCellMargin;
  m_columns.insert(m_columns.begin() + column, c);
  for (auto& item : m_items)
    if (int(item.texts.size()) > column) item.texts.insert(item.texts.begin() + column, CString());
  changed(uv::WindowChange::kColumns);
  return column;
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* c) {
  if (!c) return -1;
  return InsertColumn(column, (c->mask & LVCF_TEXT) ? c->pszText : L"", (c->mask & LVCF_FMT) ? c->fmt : LVCFMT_LEFT,
                      (c->mask & LVCF_WIDTH) ? c->cx : -1);
}

BOOL CListCtrl::DeleteColumn(int column) {
  if (column < 0 || column >= columnCount()) return FALSE;
  m_columns.erase(m_columns.begin() + column);
  for (auto& item : m_items)
    if (int(item.texts.size()) > column) item.texts.erase(item.texts.begin() + column);
  changed(uv::WindowChange::kColumns);
  return TRUE;
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* c) const {
  if (!c || column < 0 || column >= columnCount()) return FALSE;
  const Column& col = m_columns[size_t(column)];
  if (c->mask & LVCF_FMT) c->fmt = col.format;
  if (c->mask & LVCF_WIDTH) c->cx = col.width;
  if ((c->mask & LVCF_TEXT) && c->pszText && c->cchTextMax > 0) {
    std::wstring s = col.heading.str().substr(0, size_t(c->cchTextMax - 1));
    std::copy(s.begin(), s.end(), c->pszText);
    c->pszText[s.size()] = 0;
  }
  return TRUE;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* c) {
  if (!c || column < 0 || column >= columnCount()) return FALSE;
  Column& col = m_columns[size_t(column)];
  if (c->mask & LVCF_FMT) col.format = c->fmt;
  if (c->mask & LVCF_WIDTH) col.width = c->cx;
  if (c->mask & LVCF_TEXT) col.heading = c->pszText ? c->pszText : L"";
  changed(uv::WindowChange::kColumns);
  return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const {
  return column >= 0 && column < columnCount() ? m_columns[size_t(column)].width : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int cx) {
  if (column < 0 || column >= columnCount()) return FALSE;
  if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
    int width = cx == LVSCW_AUTOSIZE_USEHEADER ? textWidth(m_columns[size_t(column)].heading) : 0;
    for (int i = 0; i < GetItemCount(); ++i) width = std::max(width, textWidth(GetItemText(i, column)));
    width += kCellMargin;
    if (column == 0 && m_smallImages) width += m_smallImages->imageWidth() + 2;
    if (cx == LVSCW_AUTOSIZE_USEHEADER && column == columnCount() - 1) {
      int others = 0;
      for (int i = 0; i < column; ++i) others += m_columns[size_t(i)].width;
      const int client = rect().Width() - 4;  // inside the border
      width = std::max(width, client - others);
    }
    cx = width;
  }
  m_columns[size_t(column)].width = std::max(cx, 0);
  changed(uv::WindowChange::kColumns);
  return TRUE;
}

int CListCtrl::columnFormat(int column) const {
  return column >= 0 && column < columnCount() ? m_columns[size_t(column)].format : LVCFMT_LEFT;
}

int CListCtrl::InsertItem(int item, LPCTSTR text) {
  LVITEM it;
  it.mask = LVIF_TEXT;
  it.iItem = item;
  it.pszText = const_cast<LPTSTR>(text);
  return InsertItem(&it);
}

int CListCtrl::InsertItem(int item, LPCTSTR text, int image) {
  LVITEM it;
  it.mask = LVIF_TEXT | LVIF_IMAGE;
  it.iItem = item;
  it.pszText = const_cast<LPTSTR>(text);
  it.iImage = image;
  return InsertItem(&it);
}

int CListCtrl::InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM lParam) {
  LVITEM it;
  it.mask = mask;
  it.iItem = item;
  it.pszText = const_cast<LPTSTR>(text);
  it.state = state;
  it.stateMask = stateMask;
  it.iImage = image;
  it.lParam = lParam;
  return InsertItem(&it);
}

int CListCtrl::InsertItem(const LVITEM* it) {
  if (!it || it->iItem < 0) return -1;
  Item item;
  item.texts.push_back((it->mask & LVIF_TEXT) && it->pszText ? CString(it->pszText) : CString());
  if (it->mask & LVIF_IMAGE) item.image = it->iImage;
  if (it->mask & LVIF_PARAM) item.data = DWORD_PTR(it->lParam);
  if (m_exStyle & LVS_EX_CHECKBOXES) item.state = kUnchecked;
  int at = std::min(it->iItem, GetItemCount());
  if (GetStyle() & LVS_SORTASCENDING) {
    at = 0;
    while (at < GetItemCount() && uv::compareNoCase(m_items[size_t(at)].texts[0].str(), item.texts[0].str()) <= 0) ++at;
  }
  m_items.insert(m_items.begin() + at, item);
  if (m_mark >= at) ++m_mark;
  changed(uv::WindowChange::kItems);
  NMLISTVIEW nm;
  nm.hdr.code = LVN_INSERTITEM;
  nm.iItem = at;
  notifyParent(nm.hdr);
  if ((it->mask & LVIF_STATE) && it->stateMask) changeState(at, it->state, it->stateMask);
  return at;
}

BOOL CListCtrl::DeleteItem(int item) {
  if (!validItem(item)) return FALSE;
  NMLISTVIEW nm;
  nm.hdr.code = LVN_DELETEITEM;
  nm.iItem = item;
  nm.lParam = LPARAM(m_items[size_t(item)].data);
  notifyParent(nm.hdr);
  m_items.erase(m_items.begin() + item);
  if (m_mark == item) m_mark = -1;
  else if (m_mark > item) --m_mark;
  changed(uv::WindowChange::kItems);
  return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
  NMLISTVIEW nm;
  nm.hdr.code = LVN_DELETEALLITEMS;
  nm.iItem = -1;
  if (!notifyParent(nm.hdr)) {
    // Last row first, so that every index is still right when it is told.
    for (int i = GetItemCount() - 1; i >= 0; --i) {
      NMLISTVIEW one;
      one.hdr.code = LVN_DELETEITEM;
      one.iItem = i;
      one.lParam = LPARAM(m_items[size_t(i)].data);
      notifyParent(one.hdr);
    }
  }
  m_items.clear();
  m_mark = -1;
  changed(uv::WindowChange::kItems);
  return TRUE;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text) {
  if (!validItem(item) || subItem < 0 || (subItem > 0 && subItem >= columnCount())) return FALSE;
  auto& texts = m_items[size_t(item)].texts;
  if (int(texts.size()) <= subItem) texts.resize(size_t(subItem) + 1);
  texts[size_t(subItem)] = text ? text : L"";
  changed(uv::WindowChange::kItems);
  return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
  if (!validItem(item) || subItem < 0) return CString();
  const auto& texts = m_items[size_t(item)].texts;
  return subItem < int(texts.size()) ? texts[size_t(subItem)] : CString();
}

BOOL CListCtrl::SetItem(const LVITEM* it) {
  if (!it || !validItem(it->iItem)) return FALSE;
  Item& item = m_items[size_t(it->iItem)];
  if (it->mask & LVIF_TEXT) SetItemText(it->iItem, it->iSubItem, it->pszText);
  if (it->mask & LVIF_IMAGE) item.image = it->iImage;
  if (it->mask & LVIF_PARAM) item.data = DWORD_PTR(it->lParam);
  if (it->mask & (LVIF_IMAGE | LVIF_PARAM)) changed(uv::WindowChange::kItems);
  if (it->mask & LVIF_STATE) changeState(it->iItem, it->state, it->stateMask);
  return TRUE;
}

BOOL CListCtrl::GetItem(LVITEM* it) const {
  if (!it || !validItem(it->iItem)) return FALSE;
  const Item& item = m_items[size_t(it->iItem)];
  if ((it->mask & LVIF_TEXT) && it->pszText && it->cchTextMax > 0) {
    std::wstring s = GetItemText(it->iItem, it->iSubItem).str().substr(0, size_t(it->cchTextMax - 1));
    std::copy(s.begin(), s.end(), it->pszText);
    it->pszText[s.size()] = 0;
  }
  if (it->mask & LVIF_IMAGE) it->iImage = item.image;
  if (it->mask & LVIF_PARAM) it->lParam = LPARAM(item.data);
  if (it->mask & LVIF_STATE) it->state = item.state & it->stateMask;
  return TRUE;
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  if (!validItem(item)) return FALSE;
  m_items[size_t(item)].data = data;
  return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const { return validItem(item) ? m_items[size_t(item)].data : 0; }

int CListCtrl::imageOf(int item) const { return validItem(item) ? m_items[size_t(item)].image : -1; }

bool CListCtrl::changeState(int item, UINT state, UINT mask) {
  Item& it = m_items[size_t(item)];
  const UINT oldState = it.state;
  const UINT newState = (oldState & ~mask) | (state & mask);
  if (newState == oldState) return true;
  NMLISTVIEW nm;
  nm.hdr.code = LVN_ITEMCHANGING;
  nm.iItem = item;
  nm.uOldState = oldState;
  nm.uNewState = newState;
  nm.uChanged = LVIF_STATE;
  nm.lParam = LPARAM(it.data);
  if (notifyParent(nm.hdr)) return false;
  m_items[size_t(item)].state = newState;
  if (newState & LVIS_FOCUSED)  // one focused item at most
    for (int i = 0; i < GetItemCount(); ++i)
      if (i != item && (m_items[size_t(i)].state & LVIS_FOCUSED)) changeState(i, 0, LVIS_FOCUSED);
  changed((mask & LVIS_STATEIMAGEMASK) ? uv::WindowChange::kCheck : uv::WindowChange::kSelection);
  nm.hdr = NMHDR{};
  nm.hdr.code = LVN_ITEMCHANGED;
  nm.lParam = LPARAM(m_items[size_t(item)].data);
  notifyParent(nm.hdr);
  return true;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  if (item == -1) {
    for (int i = 0; i < GetItemCount(); ++i) SetItemState(i, state, mask);
    return TRUE;
  }
  if (!validItem(item)) return FALSE;
  // A single-selection list keeps at most one row selected.
  if ((GetStyle() & LVS_SINGLESEL) && (mask & LVIS_SELECTED) && (state & LVIS_SELECTED))
    for (int i = 0; i < GetItemCount(); ++i)
      if (i != item && (m_items[size_t(i)].state & LVIS_SELECTED)) changeState(i, 0, LVIS_SELECTED);
  return changeState(item, state, mask) ? TRUE : FALSE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const { return validItem(item) ? m_items[size_t(item)].state & mask : 0; }

BOOL CListCtrl::GetCheck(int item) const { return GetItemState(item, LVIS_STATEIMAGEMASK) == kChecked ? TRUE : FALSE; }

BOOL CListCtrl::SetCheck(int item, BOOL check) {
  return SetItemState(item, check ? kChecked : kUnchecked, LVIS_STATEIMAGEMASK);
}

int CListCtrl::GetNextItem(int item, int flags) const {
  for (int i = std::max(item + 1, 0); i < GetItemCount(); ++i) {
    const UINT s = m_items[size_t(i)].state;
    if ((flags & LVNI_SELECTED) && !(s & LVIS_SELECTED)) continue;
    if ((flags & LVNI_FOCUSED) && !(s & LVIS_FOCUSED)) continue;
    return i;
  }
  return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int first = GetNextItem(-1, LVNI_SELECTED);
  return first < 0 ? nullptr : reinterpret_cast<POSITION>(std::intptr_t(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
  const int item = int(reinterpret_cast<std::intptr_t>(position)) - 1;
  const int next = GetNextItem(item, LVNI_SELECTED);
  position = next < 0 ? nullptr : reinterpret_cast<POSITION>(std::intptr_t(next + 1));
  return item;
}

UINT CListCtrl::GetSelectedCount() const {
  UINT n = 0;
  for (const auto& item : m_items) n += (item.state & LVIS_SELECTED) ? 1 : 0;
  return n;
}

int CListCtrl::SetSelectionMark(int item) {
  int old = m_mark;
  m_mark = item;
  return old;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
  DWORD old = m_exStyle;
  m_exStyle = style;
  if ((style & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
    for (auto& item : m_items)
      if (!(item.state & LVIS_STATEIMAGEMASK)) item.state |= kUnchecked;
  changed(uv::WindowChange::kStyle);
  return old;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int type) {
  CImageList** slot = type == LVSIL_SMALL ? &m_smallImages : type == LVSIL_STATE ? &m_stateImages : &m_normalImages;
  CImageList* old = *slot;
  *slot = list;
  changed(uv::WindowChange::kImage);
  return old;
}

CImageList* CListCtrl::GetImageList(int type) const {
  return type == LVSIL_SMALL ? m_smallImages : type == LVSIL_STATE ? m_stateImages : m_normalImages;
}

void CListCtrl::reorder(const std::vector<int>& order) {
  std::vector<Item> sorted;
  sorted.reserve(m_items.size());
  int mark = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    sorted.push_back(std::move(m_items[size_t(order[i])]));
    if (order[i] == m_mark) mark = int(i);
  }
  m_items = std::move(sorted);
  m_mark = mark;
  changed(uv::WindowChange::kItems);
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
  if (!compare) return FALSE;
  std::vector<int> order(m_items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return compare(LPARAM(m_items[size_t(a)].data), LPARAM(m_items[size_t(b)].data), LPARAM(data)) < 0;
  });
  reorder(order);
  return TRUE;
}

BOOL CListCtrl::SortItemsEx(PFNLVCOMPARE compare, DWORD_PTR data) {
  if (!compare) return FALSE;
  std::vector<int> order(m_items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(a, b, LPARAM(data)) < 0; });
  reorder(order);
  return TRUE;
}

BOOL CListCtrl::RedrawItems(int, int) {
  Invalidate();
  return TRUE;
}

void CListCtrl::takeOver(CWnd& from) {
  if (auto* list = dynamic_cast<CListCtrl*>(&from)) SetExtendedStyle(list->m_exStyle);
}

uv::CellEditor CListCtrl::cellEditor(int, int) const { return {}; }

void CListCtrl::requireRow(int row) const {
  if (!validItem(row))
    throw uv::DialogActionRefused(describeControl() + L" has no row " + std::to_wstring(row) + L" (it has " +
                                  std::to_wstring(GetItemCount()) + L")");
}

void CListCtrl::userEditCell(int item, int subItem, const std::optional<CString>&) {
  requireRow(item);
  throw uv::DialogActionRefused(describeControl() + L" has no editable cells");
}

void CListCtrl::userSelect(const std::vector<int>& rows, bool add) {
  for (int row : rows) requireRow(row);
  if ((GetStyle() & LVS_SINGLESEL) && (rows.size() != 1 || add))
    throw uv::DialogActionRefused(describeControl() + L" selects one row at a time");
  if (!add)
    for (int i = 0; i < GetItemCount(); ++i)
      if (std::find(rows.begin(), rows.end(), i) == rows.end()) SetItemState(i, 0, LVIS_SELECTED);
  for (int row : rows) SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (!rows.empty()) m_mark = rows.back();
  NMITEMACTIVATE click;
  click.hdr.code = NM_CLICK;
  click.iItem = rows.empty() ? -1 : rows.back();
  notifyParent(click.hdr);
}

void CListCtrl::userDoubleClick(int row) {
  userSelect({row}, false);
  NMITEMACTIVATE click;
  click.hdr.code = NM_DBLCLK;
  click.iItem = row;
  notifyParent(click.hdr);
}

void CListCtrl::userTick(int row, bool on) {
  requireRow(row);
  if (!(m_exStyle & LVS_EX_CHECKBOXES)) throw uv::DialogActionRefused(describeControl() + L" has no check boxes");
  SetCheck(row, on ? TRUE : FALSE);
}

int CListCtrl::findForScript(const CString& text) const {
  int found = -1;
  for (int i = 0; i < GetItemCount(); ++i) {
    const CString cell = GetItemText(i, 0);
    if (cell == text) return i;
    if (uv::equalsNoCase(cell.str(), text.str())) {
      if (found >= 0) return -1;
      found = i;
    }
  }
  return found;
}

CListCtrl::Colours CListCtrl::itemColours(int item, int subItem) {
  Colours colours;
  if (!validItem(item)) return colours;
  NMLVCUSTOMDRAW draw;
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  if (!(notifyParent(draw.nmcd.hdr) & CDRF_NOTIFYITEMDRAW)) return colours;
  draw = NMLVCUSTOMDRAW{};
  draw.nmcd.hdr.code = NM_CUSTOMDRAW;
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | (subItem > 0 ? CDDS_SUBITEM : 0);
  draw.nmcd.dwItemSpec = DWORD_PTR(item);
  draw.nmcd.lItemlParam = LPARAM(m_items[size_t(item)].data);
  draw.iSubItem = subItem;
  notifyParent(draw.nmcd.hdr);
  colours.text = draw.clrText;
  colours.background = draw.clrTextBk;
  return colours;
}

void CListCtrl::applyUserAction(const uv::DialogAction& action) {
  auto byText = [this](const CString& text) { return findForScript(text); };
  const int rows = GetItemCount();
  if (action.verb == L"choose" || action.verb == L"select-row") {
    userSelect(uv::scriptItems(action, 0, byText, rows, *this, L"row"), false);
  } else if (action.verb == L"add-row") {
    userSelect(uv::scriptItems(action, 0, byText, rows, *this, L"row"), true);
  } else if (action.verb == L"double-click") {
    userDoubleClick(uv::scriptItem(action, 0, byText, rows, *this, L"row"));
  } else if (action.verb == L"tick") {
    userTick(uv::scriptItem(action, 0, byText, rows, *this, L"row"), action.isOn(1));
  } else if (action.verb == L"edit-cell") {
    const int row = uv::scriptItem(action, 0, byText, rows, *this, L"row");
    const int column = action.integer(1);
    if (column < 0 || column >= std::max(columnCount(), 1))
      throw uv::DialogActionRefused(describeControl() + L" has no column " + std::to_wstring(column));
    std::optional<CString> value;
    if (action.values.size() > 2) value = CString(action.value(2));
    userEditCell(row, column, value);
  } else {
    CWnd::applyUserAction(action);
  }
}

void CListCtrl::OnDestroy() {
  m_items.clear();
  m_columns.clear();
  m_exStyle = 0;
  m_normalImages = m_smallImages = m_stateImages = nullptr;
  m_mark = -1;
}
