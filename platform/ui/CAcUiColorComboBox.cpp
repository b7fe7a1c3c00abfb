#include "ui/CAcUiColorComboBox.h"

#include "ui/AciColors.h"
#include "user/CurrentUser.h"

BEGIN_MESSAGE_MAP(CAcUiColorComboBox, CComboBox)
  ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, &CAcUiColorComboBox::OnSelectionChanged)
END_MESSAGE_MAP()

BOOL CAcUiColorComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CComboBox::Create(style, rect, parent, id)) return FALSE;
  fill();
  return TRUE;
}

void CAcUiColorComboBox::fill() {
  ResetContent();
  for (int index : {256, 0, 1, 2, 3, 4, 5, 6, 7}) {
    int item = InsertString(-1, uv::aciName(index));
    SetItemData(item, DWORD_PTR(index));
  }
  int other = InsertString(-1, L"Select colour...");
  SetItemData(other, DWORD_PTR(kOther));
}

int CAcUiColorComboBox::GetItemColorIndex(int item) const {
  if (item < 0 || item >= GetCount()) return -1;
  int index = int(GetItemData(item));
  return index == kOther ? -1 : index;
}

int CAcUiColorComboBox::FindItemByColorIndex(int colorIndex) const {
  for (int i = 0; i < GetCount(); ++i)
    if (int(GetItemData(i)) == colorIndex && colorIndex != kOther) return i;
  return -1;
}

int CAcUiColorComboBox::AddColorToMRU(int colorIndex) {
  if (colorIndex < 0 || colorIndex > 256) return -1;
  int existing = FindItemByColorIndex(colorIndex);
  if (existing >= 0) return existing;
  int other = -1;
  for (int i = 0; i < GetCount(); ++i)
    if (int(GetItemData(i)) == kOther) other = i;
  int item = InsertString(other >= 0 ? other : -1, uv::aciName(colorIndex));
  SetItemData(item, DWORD_PTR(colorIndex));
  return item;
}

void CAcUiColorComboBox::SetCurrentItemColorIndex(int colorIndex) {
  int item = AddColorToMRU(colorIndex);
  if (item >= 0) SetCurSel(item);
}

COLORREF CAcUiColorComboBox::GetColorFromIndex(int colorIndex) const {
  if (colorIndex == 0) return uv::aciToRgb(m_blockColor);
  return uv::aciToRgb(colorIndex);
}

BOOL CAcUiColorComboBox::OnSelectionChanged() {
  if (GetCurSel() < 0 || int(GetItemData(GetCurSel())) != kOther) return FALSE;
  const int previous = selectionBeforeChoice();
  const int initial = GetItemColorIndex(previous);
  uv::ColorQuestion question;
  question.initial = initial >= 0 ? initial : 7;
  question.allowMetaColors = true;
  question.layerColor = 7;
  std::optional<int> chosen = uv::currentUser().chooseColor(question);
  if (chosen)
    SetCurSel(AddColorToMRU(*chosen));
  else
    SetCurSel(previous);
  return FALSE;  // the dialog hears of the change too
}
