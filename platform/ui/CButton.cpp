#include "ui/CButton.h"

#include "ui/ScriptArguments.h"
#include "user/DialogAction.h"

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(L"Button", caption, style, rect, parent, id);
}

void CButton::SetCheck(int check) {
  if (check == m_check) return;
  m_check = check;
  changed(uv::WindowChange::kCheck);
}

UINT CButton::GetState() const {
  UINT state = UINT(m_check) & 3;
  if (m_highlight) state |= 0x0004;
  if (CWnd::GetFocus() == this) state |= 0x0008;
  return state;
}

void CButton::SetButtonStyle(UINT style, BOOL) { ModifyStyle(0xFFFF, style & 0xFFFF); }

HBITMAP CButton::SetBitmap(HBITMAP bitmap) {
  HBITMAP old = m_bitmap;
  m_bitmap = bitmap;
  changed(uv::WindowChange::kImage);
  return old;
}

HICON CButton::SetIcon(HICON icon) {
  HICON old = m_icon;
  m_icon = icon;
  changed(uv::WindowChange::kImage);
  return old;
}

std::vector<CButton*> CButton::groupButtons() const {
  std::vector<CButton*> group;
  CWnd* parent = GetParent();
  if (!parent) return group;
  const auto& siblings = parent->children();
  size_t self = 0;
  while (self < siblings.size() && siblings[self] != this) ++self;
  if (self == siblings.size()) return group;
  size_t first = self;
  while (first > 0 && !(siblings[first]->GetStyle() & WS_GROUP)) --first;
  for (size_t i = first; i < siblings.size(); ++i) {
    if (i > first && (siblings[i]->GetStyle() & WS_GROUP)) break;
    if (auto* b = dynamic_cast<CButton*>(siblings[i])) group.push_back(b);
  }
  return group;
}

void CButton::userClick() {
  switch (buttonType()) {
    case BS_GROUPBOX:
      throw uv::DialogActionRefused(describeControl() + L" is a group box, which cannot be clicked");
    case BS_AUTOCHECKBOX:
      SetCheck(m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck((m_check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      for (CButton* b : groupButtons())
        if (b != this && (b->buttonType() == BS_AUTORADIOBUTTON)) b->SetCheck(BST_UNCHECKED);
      SetCheck(BST_CHECKED);
      break;
    default:
      break;
  }
  notifyParent(BN_CLICKED);
}

uv::WidgetKind CButton::kind() const {
  switch (buttonType()) {
    case BS_GROUPBOX: return uv::WidgetKind::kGroupBox;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return uv::WidgetKind::kCheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return uv::WidgetKind::kRadioButton;
    default:
      if ((GetStyle() & (BS_BITMAP | BS_ICON)) || m_bitmap || m_icon) return uv::WidgetKind::kImageButton;
      return uv::WidgetKind::kPushButton;
  }
}

void CButton::applyUserAction(const uv::DialogAction& action) {
  const bool radio = widgetKind() == uv::WidgetKind::kRadioButton;
  if (action.verb == L"click") {
    userClick();
  } else if (action.verb == L"check" && (widgetKind() == uv::WidgetKind::kCheckBox || radio)) {
    const bool on = action.isOn(0);
    if (radio && !on)
      throw uv::DialogActionRefused(describeControl() + L" is a radio button; choose another button of its group");
    // A three-state box may need two clicks to come round.
    for (int i = 0; i < 3 && (GetCheck() == BST_CHECKED) != on; ++i) userClick();
  } else if (action.verb == L"choose" && radio) {
    std::vector<CButton*> radios;
    for (CButton* b : groupButtons())
      if (b->widgetKind() == uv::WidgetKind::kRadioButton) radios.push_back(b);
    auto byText = [&](const CString& text) {
      for (size_t i = 0; i < radios.size(); ++i)
        if (radios[i]->windowText() == text) return int(i);
      return -1;
    };
    CButton* chosen = radios[size_t(uv::scriptItem(action, 0, byText, int(radios.size()), *this, L"button"))];
    if (!chosen->isUsable()) throw uv::DialogActionRefused(chosen->describeControl() + L" is disabled or hidden");
    chosen->userClick();
  } else {
    CWnd::applyUserAction(action);
  }
}

void CButton::takeOver(CWnd& from) {
  if (auto* b = dynamic_cast<CButton*>(&from)) {
    m_check = b->m_check;
    m_bitmap = b->m_bitmap;
    m_icon = b->m_icon;
  }
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case BM_GETCHECK: return m_check;
    case BM_SETCHECK: SetCheck(int(wp)); return 0;
    case BM_CLICK: userClick(); return 0;
    default: return CWnd::DefWindowProc(message, wp, lp);
  }
}
