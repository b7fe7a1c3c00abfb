// The text page's tests: the page alone under a tab frame of the
// load-points template, as the load-points dialog shows it, in an empty
// drawing with its surface manager.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "DrawingFixture.h"
#include "base/CStringArray.h"
#include "module/points/dlg_UcitavanjeTocaka_Txt.h"
#include "ui/CAdUiTabMainDialog.h"

class CKVLSurfaceManager;

namespace uvtest {

std::vector<std::wstring> toVector(const CStringArray& fields);

// `afterOpen` runs once the page is open.
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

class TextPageFixture : public DrawingFixture {
 protected:
  CKVLSurfaceManager* manager = nullptr;

  void SetUp() override;
  std::wstring drawingFile() const override { return L""; }

  // Opens the page for `surfaceName`, runs the script lines and closes.
  void run(const CString& surfaceName, std::initializer_list<const wchar_t*> lines,
           std::function<void(TextPageHost&)> afterOpen = {});
};

}  // namespace uvtest
