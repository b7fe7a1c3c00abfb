#include "ui/CAcUiLineWeightComboBox.h"

namespace {

const int kWeights[] = {0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

}  // namespace

BOOL CAcUiLineWeightComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CComboBox::Create(style, rect, parent, id)) return FALSE;
  fill();
  return TRUE;
}

void CAcUiLineWeightComboBox::fill() {
  const bool hadSelection = GetCurSel() >= 0;
  const int current = GetCurrentItemLineWeight();
  ResetContent();
  auto add = [&](const CString& text, int weight) { SetItemData(InsertString(-1, text), DWORD_PTR(weight)); };
  add(L"ByLayer", kByLayer);
  add(L"ByBlock", kByBlock);
  if (m_useDefault) add(L"Default", kDefault);
  for (int w : kWeights) {
    CString text;
    text.Format(L"%.2f mm", w / 100.0);
    add(text, w);
  }
  if (hadSelection) SetCurSel(FindItemByLineWeight(current));
}

int CAcUiLineWeightComboBox::FindItemByLineWeight(int lineWeight) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetItemLineWeight(i) == lineWeight) return i;
  return -1;
}

int CAcUiLineWeightComboBox::GetItemLineWeight(int item) const {
  if (item < 0 || item >= GetCount()) return kByLayer;
  return int(static_cast<std::intptr_t>(GetItemData(item)));
}

void CAcUiLineWeightComboBox::SetUseDefault(BOOL useDefault) {
  m_useDefault = useDefault != FALSE;
  fill();
}
