// Makes the window of each template control: the standard control of its
// kind, with the template's id, name, text, styles, rectangle (converted to
// pixels), tool tip and image.
#pragma once

#include <memory>

#include "ui/CWnd.h"
#include "ui/DialogTemplate.h"

namespace uv {

// The window, a child owned by `parent`.
CWnd* createControl(CWnd& parent, const ControlTemplate& control);

}  // namespace uv
