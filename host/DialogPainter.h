// The batch host's painter for `picture "file.png"`: the open dialog drawn
// by the same Qt widgets the desktop program shows, offscreen.
#pragma once

namespace uv::host {

void installDialogPainter();

}  // namespace uv::host
