#include "module/controls/CTreeListCtrl.h"

#include <algorithm>

#include "ui/ScriptArguments.h"
#include "user/DialogAction.h"

BEGIN_MESSAGE_MAP(CTreeListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, &CTreeListCtrl::OnDeleteItem)
END_MESSAGE_MAP()

CTreeListCtrl::~CTreeListCtrl() = default;

BOOL CTreeListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CListCtrl::Create(style | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, rect, parent, id)) return FALSE;
  SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  return TRUE;
}

CTreeListCtrl::Row* CTreeListCtrl::row(int index) const {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  return reinterpret_cast<Row*>(GetItemData(index));
}

int CTreeListCtrl::AddRow(const CString& label, BOOL checked) {
  auto record = std::make_unique<Row>();
  Row* raw = record.get();
  m_rows.push_back(std::move(record));
  int index = InsertItem(LVIF_TEXT | LVIF_PARAM, GetItemCount(), label, 0, 0, 0, LPARAM(raw));
  SetCheck(index, checked);
  return index;
}

void CTreeListCtrl::SetRowOption(int index, const CString& choices, const CString& text) {
  Row* r = row(index);
  if (!r) return;
  r->choices.clear();
  for (int start = 0;;) {
    int bar = choices.Find(L'|', start);
    r->choices.push_back(bar < 0 ? choices.Mid(start) : choices.Mid(start, bar - start));
    if (bar < 0) break;
    start = bar + 1;
  }
  SetItemText(index, 1, text);
}

std::vector<CString> CTreeListCtrl::GetRowChoices(int index) const {
  Row* r = row(index);
  return r ? r->choices : std::vector<CString>();
}

BOOL CTreeListCtrl::SetRowOptionText(int index, const CString& text) {
  Row* r = row(index);
  if (!r || std::find(r->choices.begin(), r->choices.end(), text) == r->choices.end()) return FALSE;
  SetItemText(index, 1, text);
  return TRUE;
}

void CTreeListCtrl::SetRowData(int index, std::unique_ptr<CTreeListRowData> data) {
  if (Row* r = row(index)) r->data = std::move(data);
}

CTreeListRowData* CTreeListCtrl::GetRowData(int index) const {
  Row* r = row(index);
  return r ? r->data.get() : nullptr;
}

void CTreeListCtrl::SetAllChecks(BOOL checked) {
  for (int i = 0; i < GetItemCount(); ++i) SetCheck(i, checked);
  Invalidate();
}

uv::CellEditor CTreeListCtrl::cellEditor(int item, int subItem) const {
  uv::CellEditor editor;
  Row* r = row(item);
  if (!r || subItem != 1 || r->choices.empty()) return editor;
  editor.type = uv::CellEditor::Type::kChoice;
  editor.choices = r->choices;
  auto it = std::find(r->choices.begin(), r->choices.end(), GetItemText(item, 1));
  editor.selected = it == r->choices.end() ? -1 : int(it - r->choices.begin());
  return editor;
}

void CTreeListCtrl::userChooseOption(int index, const CString& text) {
  requireRow(index);
  Row* r = row(index);
  if (r->choices.empty())
    throw uv::DialogActionRefused(describeControl() + L": the row \"" + GetItemText(index, 0).str() +
                                  L"\" has no options");
  if (!SetRowOptionText(index, text)) {
    std::wstring offered;
    for (const auto& c : r->choices) offered += (offered.empty() ? L"\"" : L", \"") + c.str() + L"\"";
    throw uv::DialogActionRefused(describeControl() + L": the row \"" + GetItemText(index, 0).str() +
                                  L"\" offers " + offered + L", not \"" + text.str() + L"\"");
  }
  OnOptionChanged(index);
  NMTREELIST nm;
  nm.hdr.code = TLN_OPTIONCHANGED;
  nm.iRow = index;
  notifyParent(nm.hdr);
}

void CTreeListCtrl::userEditCell(int item, int subItem, const std::optional<CString>& value) {
  requireRow(item);
  if (subItem != 1 || !value) CListCtrl::userEditCell(item, subItem, value);
  userChooseOption(item, *value);
}

void CTreeListCtrl::applyUserAction(const uv::DialogAction& action) {
  if (action.verb != L"option") {
    CListCtrl::applyUserAction(action);
    return;
  }
  auto byText = [this](const CString& text) { return findForScript(text); };
  userChooseOption(uv::scriptItem(action, 0, byText, GetItemCount(), *this, L"row"), CString(action.value(1)));
}

BOOL CTreeListCtrl::OnDeleteItem(NMHDR* header, LRESULT*) {
  auto* nm = reinterpret_cast<NMLISTVIEW*>(header);
  Row* gone = reinterpret_cast<Row*>(nm->lParam);
  m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [&](const auto& r) { return r.get() == gone; }),
               m_rows.end());
  return FALSE;
}

void CTreeListCtrl::OnDestroy() {
  DeleteAllItems();
  CListCtrl::OnDestroy();
}
