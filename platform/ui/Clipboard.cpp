#include "ui/Clipboard.h"

namespace uv {

namespace {
CString& clipboard() {
  static CString text;
  return text;
}
}  // namespace

const CString& Clipboard::text() { return clipboard(); }
void Clipboard::setText(const CString& text) { clipboard() = text; }

}  // namespace uv
