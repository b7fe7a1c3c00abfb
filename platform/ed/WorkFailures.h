// What a command or entry function could not do although it ended normally: a dialog that
// told the user a file was not saved when it closed, say. The module reports the failure
// here after telling the user; whoever runs the work (the command runner, the host's entry
// function caller) takes the reports when it ends, so a batch run fails on them exactly as
// on a command that threw.
#pragma once

#include <string>
#include <vector>

namespace uv {

void reportWorkFailure(const std::wstring& message);
// The reports since the last take, oldest first; clears them.
std::vector<std::wstring> takeWorkFailures();
// The reports joined into one message ("a; b").
std::wstring joinWorkFailures(const std::vector<std::wstring>& failures);

}  // namespace uv
