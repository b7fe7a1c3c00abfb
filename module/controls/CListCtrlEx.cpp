#include "module/controls/CListCtrlEx.h"

#include <cwchar>

#include "ed/EdDialogs.h"
#include "user/DialogAction.h"

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
  ON_NOTIFY_REFLECT_EX(LVN_INSERTITEM, &CListCtrlEx::OnInsertItem)
  ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, &CListCtrlEx::OnDeleteItem)
END_MESSAGE_MAP()

void CListCtrlEx::SetColumnCellType(int column, CellType type) { m_columnTypes[column] = type; }

void CListCtrlEx::SetCellType(int row, int column, CellType type) { m_cellTypes[{row, column}] = type; }

CListCtrlEx::CellType CListCtrlEx::GetCellType(int row, int column) const {
  if (auto it = m_cellTypes.find({row, column}); it != m_cellTypes.end()) return it->second;
  if (auto it = m_columnTypes.find(column); it != m_columnTypes.end()) return it->second;
  return CellType::kReadOnly;
}

void CListCtrlEx::SetCellChoices(int row, int column, const CStringArray& choices, int selected) {
  Choices c;
  for (const CString& text : choices) c.texts.push_back(text);
  c.selected = selected >= 0 && selected < int(c.texts.size()) ? selected : -1;
  SetItemText(row, column, c.selected >= 0 ? c.texts[size_t(c.selected)] : CString());
  m_choices[{row, column}] = std::move(c);
  SetCellType(row, column, CellType::kChoice);
}

int CListCtrlEx::GetCellChoice(int row, int column) const {
  auto it = m_choices.find({row, column});
  return it == m_choices.end() ? -1 : it->second.selected;
}

uv::CellEditor CListCtrlEx::cellEditor(int item, int subItem) const {
  uv::CellEditor editor;
  if (!validItem(item)) return editor;
  switch (GetCellType(item, subItem)) {
    case CellType::kReadOnly: break;
    case CellType::kText: editor.type = uv::CellEditor::Type::kText; break;
    case CellType::kColor: editor.type = uv::CellEditor::Type::kColor; break;
    case CellType::kChoice:
      editor.type = uv::CellEditor::Type::kChoice;
      if (auto it = m_choices.find({item, subItem}); it != m_choices.end()) {
        editor.choices = it->second.texts;
        editor.selected = it->second.selected;
      }
      break;
  }
  return editor;
}

void CListCtrlEx::userEditCell(int item, int subItem, const std::optional<CString>& value) {
  requireRow(item);
  const std::wstring cell = L"the cell (" + std::to_wstring(item) + L", " + std::to_wstring(subItem) + L")";
  switch (GetCellType(item, subItem)) {
    case CellType::kReadOnly:
      throw uv::DialogActionRefused(describeControl() + L": " + cell + L" cannot be edited");
    case CellType::kText:
      if (!value) throw uv::DialogActionRefused(describeControl() + L": " + cell + L" takes a text");
      SetItemText(item, subItem, *value);
      break;
    case CellType::kColor: {
      if (value)
        throw uv::DialogActionRefused(describeControl() + L": " + cell +
                                      L" is a colour cell; edit it without a value and answer the colour dialog");
      int colour = int(std::wcstol(GetItemText(item, subItem), nullptr, 10));
      if (!acedSetColorDialog(colour, false, 0)) return;
      CString text;
      text.Format(L"%d", colour);
      SetItemText(item, subItem, text);
      break;
    }
    case CellType::kChoice: {
      Choices& c = m_choices[{item, subItem}];
      int chosen = -1;
      for (size_t i = 0; value && i < c.texts.size(); ++i)
        if (c.texts[i] == *value) chosen = int(i);
      if (chosen < 0) {
        std::wstring offered;
        for (const auto& t : c.texts) offered += (offered.empty() ? L"\"" : L", \"") + t.str() + L"\"";
        throw uv::DialogActionRefused(describeControl() + L": " + cell + L" offers " + offered);
      }
      c.selected = chosen;
      SetItemText(item, subItem, c.texts[size_t(chosen)]);
      break;
    }
  }
  cellChanged(item, subItem);
}

void CListCtrlEx::cellChanged(int row, int column) {
  NMLISTVIEW nm;
  nm.hdr.code = LXN_CELLCHANGED;
  nm.iItem = row;
  nm.iSubItem = column;
  nm.lParam = LPARAM(GetItemData(row));
  notifyParent(nm.hdr);
}

void CListCtrlEx::shiftRows(int first, int delta) {
  auto shift = [&](auto& map) {
    std::remove_reference_t<decltype(map)> moved;
    for (auto& [key, v] : map) {
      if (key.first < first) moved.emplace(key, std::move(v));
      else if (!(delta < 0 && key.first == first)) moved.emplace(std::make_pair(key.first + delta, key.second), std::move(v));
    }
    map = std::move(moved);
  };
  shift(m_cellTypes);
  shift(m_choices);
}

BOOL CListCtrlEx::OnInsertItem(NMHDR* header, LRESULT*) {
  shiftRows(reinterpret_cast<NMLISTVIEW*>(header)->iItem, +1);
  return FALSE;
}

BOOL CListCtrlEx::OnDeleteItem(NMHDR* header, LRESULT*) {
  shiftRows(reinterpret_cast<NMLISTVIEW*>(header)->iItem, -1);
  return FALSE;
}

void CListCtrlEx::OnDestroy() {
  m_cellTypes.clear();
  m_columnTypes.clear();
  m_choices.clear();
  CListCtrl::OnDestroy();
}
