// The product's bitmap button: a push button that shows a picture and has
// a tool tip whose text comes from the message catalogue. Dialogs bind one
// to a bitmap button of their template (DDX_Control) and set it up when
// they open:
//
//   m_btnZoom.SetBitmapImage(200);       // bitmap resource 200
//   m_btnZoom.SetToolTipMessage(2320);   // the text of message 2320
//
// A picture that the resources lack leaves the button's picture as it was
// and returns FALSE; the button still works.
#pragma once

#include "base/CString.h"
#include "ui/CBitmapButton.h"

class CKVLBitmapButton : public CBitmapButton {
 public:
  // The bitmap resource at its own size.
  BOOL SetBitmapImage(UINT bitmapId);
  // The icon resource drawn at cx by cy pixels (0 for its own size).
  BOOL SetIconImage(UINT iconId, int cx = 0, int cy = 0);
  // One of the product's icons by name (CModuleConfiguration::GetIcon),
  // drawn at cx by cy pixels.
  BOOL SetProductIcon(const wchar_t* name, int cx = 0, int cy = 0);

  // The tool tip: the text of a message identifier, or a text as it is.
  void SetToolTipMessage(UINT messageId);
  void SetToolTip(const CString& text) { SetToolTipText(text); }
};
