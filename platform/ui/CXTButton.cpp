#include "ui/CXTButton.h"

DWORD CXTButton::SetXButtonStyle(DWORD style, BOOL) {
  DWORD old = m_xStyle;
  m_xStyle = style;
  changed(uv::WindowChange::kStyle);
  return old;
}

BOOL CXTButton::SetIcon(CSize, HICON icon, HICON, BOOL) {
  if (!icon) return FALSE;
  CButton::SetIcon(icon);
  return TRUE;
}

BOOL CXTButton::SetIcon(CSize size, UINT iconId, UINT, BOOL) {
  HICON icon = uv::Images::iconResource(iconId, size.cx, size.cy);
  return SetIcon(size, icon);
}

BOOL CXTButton::SetBitmap(CSize, UINT bitmapId, BOOL) {
  HBITMAP bitmap = uv::Images::bitmapResource(bitmapId);
  if (!bitmap) return FALSE;
  CButton::SetBitmap(bitmap);
  return TRUE;
}
