// The contour-lines dialog run by the scripted user: what it shows on a
// surface, its enabling rules, the level lists, and what OK draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "SurfacesFixture.h"
#include "base/TextCase.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "ed/ModelSpace.h"
#include "module/contours/dlg_Slojnice.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/ContourTag.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/CListCtrl.h"

namespace uvtest {
namespace {

struct Drawn {
  double level;
  bool major;
};

class ContourDialogTest : public SurfacesFixture {
 protected:
  // Texts and enabled states of the dialog's controls, as the last probe saw them.
  std::map<int, std::wstring> texts;
  std::map<int, bool> enabled;
  std::vector<std::wstring> majorRows, minorRows;
  // The control the last action left the focus on; each probe then gives
  // the focus to the surface list, as a person moving on would.
  int focused = 0;

  void SetUp() override {
    SurfacesFixture::SetUp();
    // A plane rising along x from 101.37 to 150.82: contours are the lines
    // x = (level - 101.37) / 0.4945.
    CKVLXsurface_Vantor2* s = manager()->CreateSurface(L"Teren", CKVLSurfaceManager::kDrawingStorage, nullptr, false);
    CUniquePointSet points;
    for (int i = 0; i <= 10; ++i)
      for (int j = 0; j <= 5; ++j) points.AddPoint(AcGePoint3d(i * 10.0, j * 10.0, 101.37 + 4.945 * i));
    s->SetPoints(points);
  }

  INT_PTR run(std::initializer_list<const wchar_t*> lines, const wchar_t* surface = L"Teren") {
    surfacesUser.onOpen = surfacesUser.afterAction = [this](CDialog& d) {
      for (int id = 200; id <= 290; ++id)
        if (CWnd* c = d.GetDlgItem(id)) {
          CString t;
          c->GetWindowText(t);
          texts[id] = t.str();
          enabled[id] = c->IsWindowEnabled() != FALSE;
        }
      auto rows = [&d](int id) {
        std::vector<std::wstring> out;
        auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(id));
        for (int r = 0; list && r < list->GetItemCount(); ++r) out.push_back(list->GetItemText(r, 0).str());
        return out;
      };
      majorRows = rows(264);
      minorRows = rows(273);
      focused = CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0;
      d.GetDlgItem(207)->SetFocus();
    };
    script(lines);
    dlg_Slojnice dlg;
    dlg.m_strSurfaceName = surface;
    return dlg.DoModal();
  }

  std::vector<Drawn> drawn() const {
    std::vector<Drawn> out;
    for (const AcDbObjectId& id : uv::ModelSpace::entities(doc->database())) {
      AcDbObjectPointer<AcDbPolyline> p(id, AcDb::kForRead);
      if (p.openStatus() != Acad::eOk) continue;
      const auto tag = uv::engine::contourTagOf(*p.object());
      if (!tag) continue;
      out.push_back({tag->level, tag->major});
    }
    std::sort(out.begin(), out.end(), [](const Drawn& a, const Drawn& b) { return a.level < b.level; });
    return out;
  }
};

TEST_F(ContourDialogTest, OpensWithTheSurfaceHeightsAndEachClassRange) {
  ASSERT_EQ(run({L"click IDCANCEL"}), IDCANCEL);
  // The heights; each class's interval and range (the upper end with a label of its own); the styles.
  const std::pair<int, const wchar_t*> shown[] = {
      {259, L"101.37"}, {260, L"150.82"}, {263, L"5"},  {281, L"105"},      {283, L"150"},      {272, L"1"},
      {285, L"102"},    {287, L"150"},    {284, L"to"}, {288, L"to"},       {208, L"ByLayer"},  {209, L"ByLayer"},
      {210, L"ByLayer"},
  };
  for (const auto& [id, text] : shown) EXPECT_EQ(texts[id], text) << id;
  EXPECT_TRUE(drawn().empty());
}

TEST_F(ContourDialogTest, EnablingFollowsEachClassModeAndTheMinorSwitch) {
  // Controls looked at: the interval and range of each class, its list with
  // entry and buttons, and the minor pickers and radio buttons.
  const std::vector<int> major = {263, 220, 281, 283, 284, 264, 265, 266, 267};
  const std::vector<int> minor = {211, 221, 212, 213, 270, 271, 272, 224, 285, 287, 273, 274, 275, 276};
  struct Case {
    std::vector<const wchar_t*> lines;
    std::vector<int> on;  // of the controls above; the others are off
  };
  const std::vector<Case> cases = {
      {{}, {263, 220, 281, 283, 284}},
      {{L"click IDC_MAJOR_GIVEN"}, {264, 265, 266, 267}},
      {{L"click IDC_MAJOR_GIVEN", L"click IDC_MAJOR_AUTOMATIC"}, {263, 220, 281, 283, 284}},
      {{L"check IDC_DRAW_MINOR on"}, {263, 220, 281, 283, 284, 211, 221, 212, 213, 270, 271, 272, 224, 285, 287}},
      {{L"check IDC_DRAW_MINOR on", L"click IDC_MINOR_GIVEN", L"click IDC_MAJOR_GIVEN"},
       {264, 265, 266, 267, 211, 221, 212, 213, 270, 271, 273, 274, 275, 276}},
      {{L"check IDC_DRAW_MINOR on", L"click IDC_MINOR_GIVEN", L"check IDC_DRAW_MINOR off"}, {263, 220, 281, 283, 284}},
  };
  for (const Case& c : cases) {
    enabled.clear();
    surfacesUser.appendLines({});
    for (const wchar_t* line : c.lines) surfacesUser.appendLines({line});
    ASSERT_EQ(run({L"click IDCANCEL"}), IDCANCEL);
    std::wstring what;
    for (const wchar_t* line : c.lines) what += std::wstring(line) + L"; ";
    for (const std::vector<int>* ids : {&major, &minor})
      for (int id : *ids) {
        const bool on = std::find(c.on.begin(), c.on.end(), id) != c.on.end();
        EXPECT_EQ(enabled[id], on) << "control " << id << " after " << uv::toUtf8(what);
      }
  }
}

TEST_F(ContourDialogTest, ListsTakeLevelsWithTwoDecimalsSortedByTextAndOkDrawsThem) {
  ASSERT_EQ(run({L"click IDC_MAJOR_GIVEN", L"set IDC_MAJOR_LEVEL \"130.1234\"", L"click IDC_MAJOR_ADD",
                 L"set IDC_MAJOR_LEVEL \"\"", L"click IDC_MAJOR_ADD", L"set IDC_MAJOR_LEVEL \"99.5\"",
                 L"click IDC_MAJOR_ADD", L"set IDC_MAJOR_LEVEL \"120\"", L"click IDC_MAJOR_ADD",
                 L"click IDC_MAJOR_ADD", L"click IDCANCEL"}),
            IDCANCEL);
  // Compared as texts; a level twice is two rows.
  EXPECT_EQ(majorRows, (std::vector<std::wstring>{L"0.00", L"120.00", L"120.00", L"130.12", L"99.50"}));
  // OK draws the rows' levels: 130.12, not 130.1234. (Deleting rows: e2e_contours_edges.)
  ASSERT_EQ(run({L"click IDC_MAJOR_GIVEN", L"set IDC_MAJOR_LEVEL \"130.1234\"", L"click IDC_MAJOR_ADD",
                 L"set IDC_MAJOR_LEVEL \"120\"", L"click IDC_MAJOR_ADD", L"click IDOK"}),
            IDOK);
  const std::vector<Drawn> lines = drawn();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].level, 120.0);
  EXPECT_EQ(lines[1].level, 130.12);
}

TEST_F(ContourDialogTest, AnIntervalThatMakesNoLevelsIsRefusedAndTheDialogStaysOpen) {
  const CString tooSmall = [] {
    CString t;
    t.Format(CModuleConfiguration::GetMsg(70301).GetString(), 0.0, 200.0, 1000000);
    return t;
  }();
  struct Case {
    std::vector<const wchar_t*> lines;
    std::wstring message;
    int focused;  // the refused interval
  };
  const std::vector<Case> cases = {
      {{L"set IDC_MAJOR_INTERVAL \"0\""}, CModuleConfiguration::GetMsg(70300).str(), 263},
      {{L"set IDC_MAJOR_INTERVAL \"0.0001\"", L"set IDC_MAJOR_FROM \"0\"", L"set IDC_MAJOR_TO \"200\""},
       tooSmall.str(), 263},
      // The minor class is looked at only when it is drawn by interval.
      {{L"check IDC_DRAW_MINOR on", L"set IDC_MINOR_INTERVAL \"0\""}, CModuleConfiguration::GetMsg(70300).str(), 272},
  };
  for (const Case& c : cases) {
    surfacesUser.messages.clear();
    for (const wchar_t* line : c.lines) surfacesUser.appendLines({line});
    ASSERT_EQ(run({L"click IDOK", L"answer ok", L"click IDCANCEL"}), IDCANCEL);
    ASSERT_EQ(surfacesUser.messages.size(), 1u);
    EXPECT_EQ(surfacesUser.messages[0], c.message);
    EXPECT_EQ(focused, c.focused);
    EXPECT_TRUE(drawn().empty());
  }
  // A zero minor interval does not matter while the minor class is off or given.
  ASSERT_EQ(run({L"set IDC_MAJOR_FROM \"150\"", L"check IDC_DRAW_MINOR on", L"set IDC_MINOR_INTERVAL \"0\"",
                 L"click IDC_MINOR_GIVEN", L"click IDOK"}),
            IDOK);
  EXPECT_EQ(drawn().size(), 1u);
}

}  // namespace
}  // namespace uvtest
