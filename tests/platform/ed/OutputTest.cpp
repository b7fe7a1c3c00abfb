#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ed/EdPrint.h"
#include "ed/ProgressMeter.h"
#include "ed/Transcript.h"

namespace {

TEST(CommandLine, AcutPrintfFormatsWideAndCollectsLines) {
  auto& t = uv::Transcript::instance();
  t.clear();
  std::wstring heard;
  t.setListener([&](std::wstring_view s) { heard += s; });
  EXPECT_EQ(acutPrintf(L"\nSurface %s: %d points, %.2f m", L"Teren", 12, 123.456), 35);
  acutPrintf(L"\n%ls%c", L"done", L'!');
  t.setListener(nullptr);
  EXPECT_EQ(t.text(), L"\nSurface Teren: 12 points, 123.46 m\ndone!");
  EXPECT_EQ(heard, t.text());
  EXPECT_EQ(t.lines(), (std::vector<std::wstring>{L"", L"Surface Teren: 12 points, 123.46 m", L"done!"}));
  EXPECT_EQ(acutPrintf(nullptr), 0);
  t.clear();
}

TEST(ProgressMeter, KeepsPositionsAndDrawsOnlyToATerminal) {
  auto& m = uv::ProgressMeter::instance();
  std::FILE* terminal = std::tmpfile();
  ASSERT_NE(terminal, nullptr);
  m.setTerminal(terminal);
  EXPECT_FALSE(m.setPosition(1));  // no meter yet
  EXPECT_FALSE(m.start(L"bad", 5, 1));
  ASSERT_TRUE(m.start(L"Drawing", 0, 4));
  for (int pos : {1, 2, 2, 9, -3}) EXPECT_TRUE(m.setPosition(pos));
  EXPECT_EQ(m.history(), (std::vector<int>{1, 2, 2, 4, 0}));  // clamped into the range
  EXPECT_TRUE(m.active());
  EXPECT_EQ(m.label(), L"Drawing");
  m.restore();
  EXPECT_FALSE(m.active());
  EXPECT_FALSE(m.setPosition(3));

  std::rewind(terminal);
  char buf[1024] = {};
  size_t n = std::fread(buf, 1, sizeof buf - 1, terminal);
  std::string drawn(buf, n);
  std::fclose(terminal);
  EXPECT_NE(drawn.find("Drawing [###############...............]  50%"), std::string::npos) << drawn;
  EXPECT_NE(drawn.find("100%"), std::string::npos);
  EXPECT_EQ(drawn.substr(drawn.size() - 4), "\r\033[K");  // the bar is wiped at the end

  m.setTerminal(nullptr);  // not a terminal: quiet, but the state is still kept
  m.start(L"Quiet", 0, 10);
  m.setPosition(5);
  EXPECT_EQ(m.position(), 5);
  m.restore();
}

// What `expect progress "label" N of M` finds amiss in the meter a run left.
TEST(ProgressMeter, TellsWhereItDiffersFromAnExpectLine) {
  auto& m = uv::ProgressMeter::instance();
  m.setTerminal(nullptr);
  const std::wstring drawing = L"the progress meter \"Drawing\" at ";
  struct Case {
    std::vector<int> positions;
    bool restored;
    const wchar_t* label;
    int position, maxPos;
    std::wstring seen;
  } cases[] = {
      {{1, 2, 3, 4}, true, L"Drawing", 4, 4, L""},
      {{1, 1, 2}, true, L"Drawing", 2, 4, L""},  // a position set twice is no step back
      {{}, true, L"Drawing", 0, 4, L""},
      {{1, 2, 3, 4}, false, L"Drawing", 4, 4, drawing + L"4 of 4 is still shown"},
      {{1, 2}, true, L"Reading", 2, 4, drawing + L"2 of 4"},
      {{1, 2}, true, L"Drawing", 2, 5, drawing + L"2 of 4"},
      {{1, 2}, true, L"Drawing", 3, 4, drawing + L"2 of 4"},
      {{1, 3, 2, 4}, true, L"Drawing", 4, 4, drawing + L"4 of 4 went back from 3 to 2"},
      {{4}, true, L"Drawing", 4, 4, drawing + L"4 of 4 went there in one step"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(m.start(L"Drawing", 0, 4));
    for (int p : c.positions) m.setPosition(p);
    if (c.restored) m.restore();
    EXPECT_EQ(m.differsFrom(c.label, c.position, c.maxPos), c.seen) << testing::PrintToString(c.positions);
    m.restore();
  }
}

}  // namespace
