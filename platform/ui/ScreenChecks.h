// Job lines that check the windows while the program asks for something,
// installed by whoever runs jobs (user/ScriptChecks.h):
//
//   expect dialog hidden    the innermost open dialog has stepped aside, as
//   expect dialog shown     it does while the user picks in the drawing
//   expect dialog focused   the focus is in it (on it or one of its controls)
//   expect drawing enabled  the main window takes input, or a modal dialog
//   expect drawing disabled holds it
//
#pragma once

#include <string>

namespace uv {

void installScreenChecks();

}  // namespace uv
