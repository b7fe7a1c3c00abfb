// Shared set-up of the dialog framework's tests: the test templates, a
// message catalogue, and running code with a scripted user.
#pragma once

#include <functional>
#include <string>

#include "base/TextCase.h"
#include "user/ScriptedUser.h"

namespace uvtest {

// Registers the test dialogs (700 TEST_MAIN, 701 TEST_TABS, 702/703 its
// pages, 704 TEST_SMALL) once, with the message texts 60 "OK", 67 "Cancel"
// and 5009 "Make current".
void registerTestResources();

// Runs `body` with a scripted user reading `script`; returns the script
// error's message, or "" when the run went through. Fails the test when
// actions are left over.
std::wstring runScript(const std::wstring& script, const std::function<void()>& body);

inline std::string u8(const std::wstring& s) { return uv::toUtf8(s); }

}  // namespace uvtest
