// The text on the clipboard, which a paste into an edit inserts.
#pragma once

#include "base/CString.h"

namespace uv {

class Clipboard {
 public:
  static const CString& text();
  static void setText(const CString& text);
};

}  // namespace uv
