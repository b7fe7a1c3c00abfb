// The surface manager over the real engine: rows, colours and images, the
// successor of a deleted current surface. (Which buttons a selection
// enables, new and renamed rows, Escape saving: e2e_surfaces_manager.)
#include <gtest/gtest.h>

#include "SurfacesFixture.h"
#include "module/surfaces/dlg_UpravljanjePlohama.h"
#include "ui/CListCtrl.h"

namespace uvtest {
namespace {

// "A 0 yellow" per row.
struct Snapshot {
  std::vector<std::wstring> rows;
};

std::wstring colourName(COLORREF c) {
  switch (c) {
    case 0x00FFFF: return L"yellow";
    case 0x0000FF: return L"red";
    case 0xFFFFFF: return L"white";
    default: return std::to_wstring(c);
  }
}

Snapshot snapshot(CDialog& d) {
  Snapshot s;
  auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(248));
  for (int row = 0; list && row < list->GetItemCount(); ++row)
    s.rows.push_back(list->GetItemText(row, 0).str() + L" " + std::to_wstring(list->imageOf(row)) + L" " +
                     colourName(list->itemColours(row, 0).background));
  return s;
}

class ManagerDialogTest : public SurfacesFixture {
 protected:
  std::vector<Snapshot> seen;

  // Runs the manager with the script, keeping a snapshot after each action.
  void run(std::initializer_list<const wchar_t*> lines) {
    seen.clear();
    surfacesUser.onOpen = surfacesUser.afterAction = [this](CDialog& d) {
      if (dynamic_cast<dlg_UpravljanjePlohama*>(&d)) seen.push_back(snapshot(d));
    };
    script(lines);
    dlg_UpravljanjePlohama dlg;
    dlg.DoModal();
  }

  std::wstring current() {
    auto* c = manager()->GetCurrentSurface();
    return c ? c->m_strName.str() : L"";
  }
};

TEST_F(ManagerDialogTest, RowsShowWhereEachSurfaceLivesAndWhichIsCurrent) {
  makeSurface(L"A");
  makeSurface(L"B");
  const std::wstring file = writeSurfaceFile("f.kvb", L"F", L"from a file");
  ASSERT_NE(manager()->CreateSurface(L"F", CKVLSurfaceManager::kFileStorage, file.c_str(), true), nullptr);
  ASSERT_EQ(manager()->SetCurrentSurface(L"B"), 1);
  makeUnavailable(L"U");

  run({L"select-row IDC_SURFACES \"A\"", L"select-row IDC_SURFACES \"F\"", L"select-row IDC_SURFACES \"U\"",
       L"click IDC_SETCURRENT", L"select-row IDC_SURFACES \"A\"", L"click IDC_SETCURRENT", L"click IDCLOSE"});
  const std::vector<std::wstring> start = {L"A 0 white", L"B 0 yellow", L"F 1 white", L"U 1 red"};
  const std::vector<std::wstring> aCurrent = {L"A 0 yellow", L"B 0 white", L"F 1 white", L"U 1 red"};
  ASSERT_EQ(seen.size(), 7u);
  EXPECT_EQ(seen[0].rows, start);
  EXPECT_EQ(seen[4].rows, start) << "the unavailable file surface cannot be made current";
  EXPECT_EQ(seen[6].rows, aCurrent);
  EXPECT_EQ(current(), L"A");
}

// (The current row followed when a row above it goes, and the row that
// followed it made current when it goes itself: e2e_surfaces_delete_current.)
TEST_F(ManagerDialogTest, WhenTheRowBelowCannotBeCurrentTheRowAboveIs) {
  makeSurface(L"A");
  makeSurface(L"B");
  ASSERT_EQ(manager()->SetCurrentSurface(L"B"), 1);
  makeUnavailable(L"U");
  run({L"select-row IDC_SURFACES \"B\"", L"click IDC_DELETE", L"answer yes", L"click IDCLOSE"});
  EXPECT_EQ(seen.back().rows, (std::vector<std::wstring>{L"A 0 yellow", L"U 1 red"}));
  EXPECT_EQ(current(), L"A");
}

}  // namespace
}  // namespace uvtest
