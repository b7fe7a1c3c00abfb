// A push button that shows a picture, with a tool tip: the base of the
// product's bitmap buttons. The picture is a bitmap resource, an icon
// resource drawn at a given size, or an image handle.
#pragma once

#include "ui/CButton.h"
#include "ui/Images.h"

class CBitmapButton : public CButton {
 public:
  // The bitmaps for the normal, pressed, focused and disabled looks; the
  // model keeps the normal one. FALSE when the resources lack it.
  BOOL LoadBitmaps(UINT normalId, UINT pressedId = 0, UINT focusId = 0, UINT disabledId = 0);
  // The icon resource drawn at cx by cy pixels (0: its own size).
  BOOL LoadIcon(UINT iconId, int cx = 0, int cy = 0);
  void SizeToContent() {}

  void SetToolTipText(const CString& text) { setToolTip(text); }
  const CString& GetToolTipText() const { return toolTip(); }

 protected:
  uv::WidgetKind kind() const override;
};
