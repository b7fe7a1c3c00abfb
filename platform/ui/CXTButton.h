// The push button of the toolkit the projection dialog uses: a button with
// an optional icon or bitmap beside its text and a set of drawing styles.
#pragma once

#include "ui/CButton.h"
#include "ui/Images.h"

constexpr DWORD BS_XT_FLAT = 0x0001;
constexpr DWORD BS_XT_SEMIFLAT = 0x0002;
constexpr DWORD BS_XT_CENTERALIGN = 0x0004;
constexpr DWORD BS_XT_SHOWFOCUS = 0x0008;
constexpr DWORD BS_XT_HILITEPRESSED = 0x0010;
constexpr DWORD BS_XT_XPFLAT = 0x0020;
constexpr DWORD BS_XT_WINXP_COMPAT = 0x1000;

class CXTButton : public CButton {
 public:
  DWORD SetXButtonStyle(DWORD style, BOOL redraw = TRUE);
  DWORD GetXButtonStyle() const { return m_xStyle; }
  BOOL SetIcon(CSize size, HICON icon, HICON hotIcon = nullptr, BOOL redraw = TRUE);
  BOOL SetIcon(CSize size, UINT iconId, UINT hotIconId = 0, BOOL redraw = TRUE);
  BOOL SetBitmap(CSize size, UINT bitmapId, BOOL redraw = TRUE);
  void SetTextAlignment(DWORD style) { m_textAlignment = style; }
  DWORD GetTextAlignment() const { return m_textAlignment; }
  using CButton::SetBitmap;
  using CButton::SetIcon;

 private:
  DWORD m_xStyle = 0;
  DWORD m_textAlignment = 0;
};
