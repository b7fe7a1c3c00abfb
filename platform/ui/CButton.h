// Push buttons, check boxes, radio buttons and group boxes: the Windows
// "Button" class, told apart by style. A person's click checks or
// unchecks as the style says (an automatic radio button unchecks the
// other automatic radio buttons of its group) and then notifies the
// parent with BN_CLICKED.
#pragma once

#include <vector>

#include "ui/CWnd.h"

class CButton : public CWnd {
 public:
  BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCheck() const { return m_check; }
  void SetCheck(int check);
  UINT GetState() const;
  void SetState(BOOL highlight) { m_highlight = highlight != FALSE; }
  UINT GetButtonStyle() const { return UINT(GetStyle() & 0xFFFF); }
  void SetButtonStyle(UINT style, BOOL redraw = TRUE);
  HBITMAP SetBitmap(HBITMAP bitmap);
  HBITMAP GetBitmap() const { return m_bitmap; }
  HICON SetIcon(HICON icon);
  HICON GetIcon() const { return m_icon; }

  // A person clicks the button. Throws uv::DialogActionRefused for a group box.
  void userClick();
  // The radio buttons, check boxes and buttons of this button's group:
  // from the nearest sibling at or before it that starts a group (WS_GROUP)
  // up to the next one, in tab order.
  std::vector<CButton*> groupButtons() const;

  void applyUserAction(const uv::DialogAction& action) override;
  const wchar_t* windowClassName() const override { return L"Button"; }

 protected:
  uv::WidgetKind kind() const override;
  void takeOver(CWnd& from) override;
  LRESULT DefWindowProc(UINT message, WPARAM wp, LPARAM lp) override;
  DWORD buttonType() const { return GetStyle() & BS_TYPEMASK; }

 private:
  int m_check = BST_UNCHECKED;
  bool m_highlight = false;
  HBITMAP m_bitmap = nullptr;
  HICON m_icon = nullptr;
};
