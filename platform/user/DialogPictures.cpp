#include "DialogPictures.h"

#include <utility>

namespace uv {

namespace {
DialogPainter& painter() {
  static DialogPainter installed;
  return installed;
}
}  // namespace

void setDialogPainter(DialogPainter p) { painter() = std::move(p); }

std::wstring paintDialog(ModalDialog& dialog, const std::wstring& file) {
  if (!painter()) return L"this program cannot draw dialogs";
  return painter()(dialog, file);
}

}  // namespace uv
