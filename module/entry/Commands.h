// The module's nine commands. Each makes the module's resources current,
// runs one dialog modally (handing the seven single-surface dialogs the
// preselected surface name), destroys it and restores the resources, also
// when an exception leaves the dialog. The table lists them in the order
// they are registered and removed, all in the group "KVLXUIVantor2", each
// with its local name equal to its global name and the transparent flag.
#pragma once

#include "rx/ArxCommandTable.h"

namespace uv::module {

inline constexpr const wchar_t* kCommandGroup = L"KVLXUIVantor2";

// The module's one table of commands, filled once from its static records.
const ArxCommandTable& commandTable();

// The command functions, also run by the entry functions.
void cmdPoints();
void cmdBreakLine();
void cmdShow();
void cmdProjection();
void cmdSurfMan();
void cmdConvert();
void cmdSlojnice();
void cmdSlojniceOznake();
void cmdSwap();

}  // namespace uv::module
