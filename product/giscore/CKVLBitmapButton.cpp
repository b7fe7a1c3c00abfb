#include "product/giscore/CKVLBitmapButton.h"

#include "base/TextCase.h"
#include "product/giscore/CModuleConfiguration.h"
#include "product/giscore/Icon.h"
#include "ui/Images.h"

BOOL CKVLBitmapButton::SetBitmapImage(UINT bitmapId) { return LoadBitmaps(bitmapId); }

BOOL CKVLBitmapButton::SetIconImage(UINT iconId, int cx, int cy) { return LoadIcon(iconId, cx, cy); }

BOOL CKVLBitmapButton::SetProductIcon(const wchar_t* name, int cx, int cy) {
  // The product's icon stands for its file; the dialog framework's image
  // handle for that file is what a front end knows how to draw.
  const uv::giscore::Icon* icon = CModuleConfiguration::GetIconImage(CModuleConfiguration::GetIcon(name));
  if (!icon) return FALSE;
  HICON shown = uv::Images::iconFile(uv::fromUtf8(icon->file.string()), cx, cy);
  if (!shown) return FALSE;
  SetIcon(shown);
  return TRUE;
}

void CKVLBitmapButton::SetToolTipMessage(UINT messageId) { SetToolTipText(CModuleConfiguration::GetMsg(messageId)); }
