// The errors a script gets when it names what a person could not reach in
// the sample dialog, and its refused OK. The job that drives every control
// as a person would is run by cadhost (e2e_ui_sample).
#include <gtest/gtest.h>

#include "sample/SampleDialog.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

using uvtest::u8;

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
