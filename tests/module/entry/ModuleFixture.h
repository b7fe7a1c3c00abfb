// The module's code run in the test's own process: its resources
// registered as when the library is attached, a drawing in the current
// document, and a scripted user that records each dialog it runs.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/CString.h"
#include "db/AcDbDatabase.h"
#include "ed/AcApDocManager.h"
#include "user/CurrentUser.h"
#include "user/ScriptedUser.h"

namespace uvtest {

// What the user saw of one dialog.
struct SeenDialog {
  UINT templateId = 0;
  std::wstring title;
  std::optional<CString> surfaceName;  // for the dialogs that work on one surface
  int lockCount = 0;                    // of the current document while it ran
  int resourceDepth = 0;
  HINSTANCE resources = nullptr;  // the resource handle current while it ran
  INT_PTR result = 0;
  LRESULT keepsFocus = 0;  // its answer to the host's keep-focus query once open
};

class RecordingUser : public uv::ScriptedUser {
 public:
  std::vector<SeenDialog> seen;
  INT_PTR runDialog(uv::ModalDialog& dialog) override;
};

class ModuleFixture : public ::testing::Test {
 protected:
  AcApDocument* doc = nullptr;
  RecordingUser user;

  void SetUp() override;
  void TearDown() override;
  void answer(std::initializer_list<const wchar_t*> lines) { user.appendLines(lines); }

 private:
  std::unique_ptr<uv::UserScope> m_scope;
};

// The instance the tests attach the module's resources under.
HINSTANCE testModuleInstance();

}  // namespace uvtest
