// Helpers of the text reader's and the text page's tests: files written
// into a fresh folder of the test's own, and the text page run under a
// tab frame in a drawing with its surface manager.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/CStringArray.h"
#include "db/AcDbDatabase.h"
#include "ed/AcApDocManager.h"
#include "module/points/dlg_UcitavanjeTocaka_Txt.h"
#include "ui/CAdUiTabMainDialog.h"
#include "user/CurrentUser.h"
#include "user/ScriptedUser.h"

namespace uvtest {

class TextFilesFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the bytes as they are and returns the file's path.
  CString writeFile(const std::string& name, const std::string& bytes);
  std::filesystem::path folder;
};

std::vector<std::wstring> toVector(const CStringArray& fields);

}  // namespace uvtest

class CKVLSurfaceManager;

namespace uvtest {

// The text page alone under a tab frame of the load-points template, as
// the load-points dialog shows it. `afterOpen` runs once the page is open.
class TextPageHost : public CAcUiTabMainDialog {
 public:
  TextPageHost(CKVLSurfaceManager* manager, const CString& surfaceName);
  BOOL OnInitDialog() override;

  dlg_UcitavanjeTocaka_Txt page;
  std::function<void(TextPageHost&)> afterOpen;

  // The page's handlers, for the Replace button a script cannot reach.
  void replace();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnClose() { EndDialog(IDCLOSE); }
  DECLARE_MESSAGE_MAP()

 private:
  CAcUiTab m_tabs;
};

// A drawing in the current document with its surface manager, a scripted
// user, and the module's templates.
class TextPageFixture : public TextFilesFixture {
 protected:
  AcApDocument* doc = nullptr;
  CKVLSurfaceManager* manager = nullptr;
  uv::ScriptedUser user;

  void SetUp() override;
  void TearDown() override;

  // Opens the page for `surfaceName`, runs the script lines and closes.
  void run(const CString& surfaceName, std::initializer_list<const wchar_t*> lines,
           std::function<void(TextPageHost&)> afterOpen = {});
  // "x,y,z" of the surface's points, sorted; empty for a missing surface.
  std::vector<std::string> pointsOf(const wchar_t* surfaceName);

 private:
  std::unique_ptr<uv::UserScope> m_scope;
};

}  // namespace uvtest
