#include "ui/CBitmapButton.h"

BOOL CBitmapButton::LoadBitmaps(UINT normalId, UINT, UINT, UINT) {
  HBITMAP bitmap = uv::Images::bitmapResource(normalId);
  if (!bitmap) return FALSE;
  SetBitmap(bitmap);
  return TRUE;
}

BOOL CBitmapButton::LoadIcon(UINT iconId, int cx, int cy) {
  HICON icon = uv::Images::iconResource(iconId, cx, cy);
  if (!icon) return FALSE;
  SetIcon(icon);
  return TRUE;
}

uv::WidgetKind CBitmapButton::kind() const {
  if (buttonType() == BS_GROUPBOX) return CButton::kind();
  return uv::WidgetKind::kImageButton;
}
