// The surface manager over the real engine: each row's image says where the
// surface lives. (Row colours, buttons, new and renamed rows, Escape saving:
// e2e_surfaces_manager; the unavailable file surface and the successor of a
// deleted current surface: e2e_files_missing_file, e2e_surfaces_delete_current.)
#include <gtest/gtest.h>

#include "SurfacesFixture.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
#include "ui/CListCtrl.h"

namespace uvtest {
namespace {

using ManagerDialogTest = SurfacesFixture;

TEST_F(ManagerDialogTest, RowImagesShowWhereEachSurfaceLives) {
  makeSurface(L"A");
  const std::wstring file = writeSurfaceFile("f.kvb", L"F", L"from a file");
  ASSERT_NE(manager()->CreateSurface(L"F", CKVLSurfaceManager::kFileStorage, file.c_str(), true), nullptr);
  makeUnavailable(L"U");
  std::vector<std::wstring> rows;
  surfacesUser.onOpen = [&](CDialog& d) {
    auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(248));
    for (int row = 0; list && row < list->GetItemCount(); ++row)
      rows.push_back(list->GetItemText(row, 0).str() + L" " + std::to_wstring(list->imageOf(row)));
  };
  script({L"click IDCLOSE"});
  dlg_UpravljanjePlohama dlg;
  dlg.DoModal();
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"A 0", L"F 1", L"U 1"}));
}

}  // namespace
}  // namespace uvtest
