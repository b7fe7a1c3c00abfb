// The sample dialog driven end to end by a job script that touches every
// control, as a person would, and the errors a script gets when it names
// what a person could not reach.
#include <gtest/gtest.h>

#include "sample/SampleDialog.h"
#include "tests/platform/ui/UiTestSupport.h"
#include "ui/Feedback.h"

namespace {

using uvtest::u8;

const wchar_t* kJob = LR"(# every control of the sample dialog
click IDC_PUSH
answer no
type IDC_NAME "Te ren#1"
set IDC_NOTES "line one"
choose IDC_AREA_ALL "Polygon"
set IDC_STEP "12.5"
type IDC_COLUMN "4x2"
check IDC_GROUPED on
click IDC_PICK
point 10,20
click IDC_FILE
file "/data/out"
choose IDC_SURFACES "bager"
choose IDC_COLOR "Select colour..."
color 30
choose IDC_LINEWEIGHT "0.25 mm"
type IDC_LEVEL_ENTRY "100.1234"
click IDC_ADD_LEVEL
type IDC_LEVEL_ENTRY "-5"
click IDC_ADD_LEVEL
type IDC_LEVEL_ENTRY "99"
click IDC_ADD_LEVEL
select-row IDC_LEVELS "100.12"
add-row IDC_LEVELS "99.00"
click IDC_DELETE_LEVELS
select-row IDC_NAMES "Walls"
add-row IDC_NAMES "0"
select-row IDC_SURFACE_LIST "Bager"
click IDC_XT
set IDC_NEW_NAME "Bager 2"
click IDOK
edit-cell IDC_LAYER_GRID 0 1 "TIN2"
edit-cell IDC_LAYER_GRID 0 2
color 5
edit-cell IDC_LAYER_GRID 0 3 "DASHED"
tick IDC_TYPES "Text" off
option IDC_TYPES "Block KVX_ELEV" "ELEV"
choose IDC_TABS "Drawing"
check IDC_KEEP on
choose IDC_TABS "Text"
set IDC_MARKER "*"
enter
)";

TEST(SampleDialog, AJobDrivesEveryControl) {
  sample::registerResources();
  sample::SampleDialog dlg;
  INT_PTR result = 0;
  uv::Feedback::clearBeeps();
  std::wstring error = uvtest::runScript(kJob, [&] { result = dlg.DoModal(); });
  ASSERT_EQ(error, L"") << u8(error);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_strName, L"Teren1");  // the space and # were refused as typed
  EXPECT_EQ(dlg.m_strNotes, L"line one");
  EXPECT_EQ(dlg.m_nArea, 1);
  EXPECT_DOUBLE_EQ(dlg.m_dStep, 12.5);
  EXPECT_EQ(dlg.m_nColumn, 42);
  EXPECT_EQ(dlg.m_bGroup, 1);
  EXPECT_EQ(dlg.m_strFile, L"/data/out.kvb");
  EXPECT_EQ(uv::Feedback::beeps().size(), 3u);  // two refused name characters, one letter in the column

  const sample::SampleResult& r = dlg.result;
  EXPECT_EQ(r.surface, L"Bager");
  EXPECT_EQ(r.colour, 30);
  EXPECT_EQ(r.lineWeight, 25);
  EXPECT_EQ(r.levels, std::vector<std::wstring>{L"-5.00"});
  EXPECT_EQ(r.names, (std::vector<std::wstring>{L"0", L"Walls"}));
  EXPECT_EQ(r.surfaceRows, (std::vector<std::wstring>{L"Teren", L"Bager 2"}));
  EXPECT_EQ(r.gridRow0, (std::vector<std::wstring>{L"Triangles", L"TIN2", L"5", L"DASHED"}));
  EXPECT_EQ(r.types, (std::vector<std::wstring>{L"POINT on ", L"TEXT off <<-->>", L"LINE on ",
                                                L"INSERT on ELEV"}));
  EXPECT_TRUE(r.keep);
  EXPECT_EQ(r.marker, L"*");
  EXPECT_EQ(dlg.log, (std::vector<std::wstring>{L"ask no", L"picked 10,20", L"colour 30", L"renamed Bager 2",
                                                L"cell 0,1 TIN2", L"cell 0,2 5", L"cell 0,3 DASHED",
                                                L"option Block KVX_ELEV ELEV"}));
}

TEST(SampleDialog, ScriptsCannotReachWhatAPersonCouldNot) {
  const std::wstring dialog = L"the dialog \"Sample of every control\" (template 900 UV_SAMPLE) cannot do ";
  struct Case {
    const wchar_t* script;
    std::wstring error;
  } cases[] = {
      {L"set IDC_STEP \"5\"", L"job.txt:1: " + dialog + L"\"set IDC_STEP \"5\"\": IDC_STEP (1011) is disabled"},
      {L"click IDC_XT", L"job.txt:1: " + dialog + L"\"click IDC_XT\": IDC_XT (1002) is disabled"},
      {L"check IDC_KEEP on",
       L"job.txt:1: " + dialog + L"\"check IDC_KEEP on\": IDC_KEEP (1201) is on the page \"Drawing\", which is not shown"},
      {L"type IDC_MIN \"3\"", L"job.txt:1: " + dialog + L"\"type IDC_MIN \"3\"\": IDC_MIN (1013) is read-only"},
      {L"option IDC_TYPES \"Point\" \"x\"",
       L"job.txt:1: " + dialog + L"\"option IDC_TYPES \"Point\" \"x\"\": IDC_TYPES (1053): the row \"Point\" has no options"},
      {L"edit-cell IDC_LAYER_GRID 0 0 \"x\"",
       L"job.txt:1: " + dialog + L"\"edit-cell IDC_LAYER_GRID 0 0 \"x\"\": IDC_LAYER_GRID (1051): the cell (0, 0) cannot be edited"},
      {L"click IDC_PICK\nclick IDOK",
       L"job.txt:2: the program asked for a point (\"Pick a corner of the area:\") but the script says: click IDOK"},
  };
  sample::registerResources();
  for (const auto& c : cases) {
    sample::SampleDialog dlg;
    EXPECT_EQ(uvtest::runScript(c.script, [&] { dlg.DoModal(); }), c.error) << u8(c.script);
  }
}

TEST(SampleDialog, AnEmptyNameKeepsTheDialogOpenWithTheFocusOnTheName) {
  sample::registerResources();
  sample::SampleDialog dlg;
  CWnd* focus = nullptr;
  std::wstring error = uvtest::runScript(L"set IDC_NAME \"\"\nenter\nanswer ok\nclose\n", [&] {
    struct Watch : uv::WindowObserver {
      CWnd** focus;
      void windowChanged(CWnd& w, uv::WindowChange c) override {
        if (c == uv::WindowChange::kFocus && CWnd::GetFocus() == &w) *focus = &w;
      }
    } watch;
    watch.focus = &focus;
    dlg.addObserver(&watch);
    dlg.DoModal();
    dlg.removeObserver(&watch);
  });
  ASSERT_EQ(error, L"") << u8(error);
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(focus->controlName(), L"IDC_NAME");
}

}  // namespace
