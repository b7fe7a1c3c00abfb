// The text page of the load-points dialog: its controls, the settings a
// person makes and the points that reach the surface.
#include <gtest/gtest.h>

#include "TextFixture.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "user/MessageBoxCodes.h"
#include "user/Questions.h"

namespace uvtest {
namespace {

using Points = std::vector<std::string>;

class TextPage : public TextPageFixture {
 protected:
  void SetUp() override {
    TextPageFixture::SetUp();
    ASSERT_NE(manager->CreateSurface(L"Teren", 0, nullptr, false), nullptr);
  }
  std::wstring setFile(const CString& path) { return L"set IDC_FILE \"" + path.str() + L"\""; }
};

// How the page reads a file by its settings: e2e_points_text_rules and the
// other points_text jobs, also files and surfaces that give nothing; number
// reading: NumberTextTest; line splitting:
// TextFileSplitTest. (Its fields following their switches:
// e2e_points_text_controls; a file larger than a block of points reaching
// the surface in order: e2e_points_text_large.)

TEST_F(TextPage, AddKeepsAndReplaceDropsTheSurfacesPoints) {
  const std::wstring first = setFile(writeFile("a.txt", "0 0 1\n10 0 1\n0 10 1\n"));
  run(L"Teren", {first.c_str(), L"click IDC_ADD"});
  const CString second = writeFile("b.txt", "5 5 2\n0 0 3\n");
  const std::wstring file = setFile(second);
  run(L"Teren", {file.c_str(), L"click IDC_ADD"});
  EXPECT_EQ(surfacePoints(manager, L"Teren"), (Points{"0,0,3", "0,10,1", "5,5,2", "10,0,1"}));
  run(L"Teren", {}, [&](TextPageHost& host) {
    host.page.SetDlgItemText(215, second);
    host.replace();
  });
  EXPECT_EQ(surfacePoints(manager, L"Teren"), (Points{"0,0,3", "5,5,2"}));
}

// Column 0 stops the load with the dialog framework's invalid-argument
// exception, with its icon. (Nothing reaching the surface, the message
// after the progress meter, the page staying open for the correction, and
// an emptied column, which reads 0: e2e_points_text_column_zero and
// e2e_points_text_column_empty.)
TEST_F(TextPage, ColumnZeroIsReportedAsAnInvalidArgument) {
  struct RecordingUser : uv::ScriptedUser {
    int messageBox(const uv::MessageQuestion& q) override {
      asked.push_back(q);
      return ScriptedUser::messageBox(q);
    }
    std::vector<uv::MessageQuestion> asked;
  } recording;
  {
    uv::UserScope scope(recording);
    const std::wstring file = setFile(writeFile("points.txt", "1 2 3\n4 5 6\n"));
    recording.appendLines({file.c_str(), L"set IDC_COLUMN_Z \"0\"", L"click IDC_ADD", L"answer ok", L"click IDCLOSE"});
    TextPageHost host(manager, L"Teren");
    EXPECT_NO_THROW(host.DoModal());
  }
  ASSERT_EQ(recording.asked.size(), 1u);
  EXPECT_EQ(recording.asked[0].text, L"Invalid argument.");
  EXPECT_EQ(recording.asked[0].icon(), UINT(MB_ICONEXCLAMATION));
  // A file whose lines are all too short never reaches the column: no error.
  const std::wstring shortLines = setFile(writeFile("short.txt", "12\n"));
  run(L"Teren", {shortLines.c_str(), L"set IDC_COLUMN_Z \"0\"", L"click IDC_ADD"});
}

}  // namespace
}  // namespace uvtest
