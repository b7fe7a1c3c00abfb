// The two checks a surface name passes before a dialog takes it: not
// empty, and not the name of another surface. A failed check is shown in
// a message box with an OK button and the focus goes back to the name.
#pragma once

#include <functional>

#include "base/CString.h"

class CDialog;
class CWnd;

namespace uv::surfaces {

// `taken` tells whether a name belongs to another surface. True when the
// name passes; otherwise the message has been shown and the focus moved.
bool CheckSurfaceName(CDialog& dialog, CWnd& nameField, const CString& name,
                      const std::function<bool(const CString&)>& taken);

}  // namespace uv::surfaces
