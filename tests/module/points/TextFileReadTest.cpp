// Reading a point file into sections: markers, headers, byte-order marks,
// line ends and long lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TextFixture.h"
#include "ed/ProgressMeter.h"
#include "module/points/CTextFile.h"

namespace uvtest {
namespace {

using Lines = std::vector<std::wstring>;
using Sections = std::map<std::wstring, Lines>;

class TextFileRead : public DrawingFixture {
 protected:
  std::wstring drawingFile() const override { return L""; }
  // Every section with its lines, in the order GetSectionNames gives.
  std::vector<std::pair<std::wstring, Lines>> read(const std::string& bytes, wchar_t comment = L'*',
                                                   wchar_t section = L'#') {
    CTextFile file;
    file.SetCommentMarker(comment);
    file.SetSectionMarker(section);
    EXPECT_EQ(file.Read(writeFile("points.txt", bytes)), 1);
    CStringArray names;
    const int count = file.GetSectionNames(names);
    EXPECT_EQ(count, names.GetSize());
    std::vector<std::pair<std::wstring, Lines>> out;
    for (const CString& name : names) {
      CTextFile::CSection* s = file.FindSection(name);
      EXPECT_NE(s, nullptr);
      Lines lines;
      for (int i = 0; i < s->GetLineCount(); ++i) lines.push_back(s->GetLine(i).str());
      out.emplace_back(name.str(), lines);
    }
    return out;
  }
};

using Read = std::vector<std::pair<std::wstring, Lines>>;

struct ReadCase {
  const char* what;
  std::string bytes;
  wchar_t comment;
  Read expected;
};

TEST_F(TextFileRead, MarkersSectionsAndLineEnds) {
  const ReadCase cases[] = {
      {"data before any header lands in ???", "1 2 3\n4 5 6\n", L'*', {{L"???", {L"1 2 3", L"4 5 6"}}}},
      {"comments and empty lines are skipped", "* survey 2014\n\n1 2 3\n*\n", L'*', {{L"???", {L"1 2 3"}}}},
      {"equal markers: the comment wins", "#North\n1 2 3\n", L'#', {{L"???", {L"1 2 3"}}}},
      {"a header names a section; runs of markers are dropped", "#North\n1 2 3\n##South\n4 5 6\n", L';',
       {{L"North", {L"1 2 3"}}, {L"South", {L"4 5 6"}}}},
      {"# and ## open the same section", "#A\n1 1 1\n##A\n2 2 2\n", L';', {{L"A", {L"1 1 1", L"2 2 2"}}}},
      {"names in character-code order: B before a", "#a\n1\n#B\n2\n", L';', {{L"B", {L"2"}}, {L"a", {L"1"}}}},
      {"only the first character counts", " * not a comment\n #not a header\n", L'*',
       {{L"???", {L" * not a comment", L" #not a header"}}}},
      {"header names keep their blanks", "# North \n1\n", L';', {{L" North ", {L"1"}}}},
      {"a header without lines is still a section", "#Empty\n#Full\n1\n", L';', {{L"Empty", {}}, {L"Full", {L"1"}}}},
      {"a space as comment marker skips indented lines", " 1 2 3\n4 5 6\n", L' ', {{L"???", {L"4 5 6"}}}},
      {"only comments give no sections", "* a\n* b\n", L'*', {}},
      {"empty file", "", L'*', {}},
      {"CR LF ends a line", "1 2 3\r\n4 5 6\r\n", L'*', {{L"???", {L"1 2 3", L"4 5 6"}}}},
      {"a CR elsewhere stays", "1\r2 3\n4 5 6\r", L'*', {{L"???", {L"1\r2 3", L"4 5 6\r"}}}},
      {"a CR alone before CR LF stays", "1 2\r\r\n", L'*', {{L"???", {L"1 2\r"}}}},
      {"the last line needs no line feed", "1 2 3\n4 5 6", L'*', {{L"???", {L"1 2 3", L"4 5 6"}}}},
      {"a NUL ends its line's text", std::string("1 2 3\0garbage\n4 5 6\n", 20), L'*',
       {{L"???", {L"1 2 3", L"4 5 6"}}}},
      {"a line of only CR LF is empty", "\r\n1\r\n", L'*', {{L"???", {L"1"}}}},
  };
  for (const ReadCase& c : cases) EXPECT_EQ(read(c.bytes, c.comment), c.expected) << c.what;
}

TEST_F(TextFileRead, LongLinesGoOnAsTheNextLine) {
  const std::string a(999, 'a'), b(999, 'b');
  struct Case {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {a + "\n", {std::wstring(999, L'a')}},
      {a + b + "c\n", {std::wstring(999, L'a'), std::wstring(999, L'b'), L"c"}},
      // A continuation is a line of its own: it can be a comment.
      {a + "*comment\n1 2 3\n", {std::wstring(999, L'a'), L"1 2 3"}},
      // Characters are counted, not bytes: 999 two-byte letters fit.
      {[] {
         std::string s = "\xEF\xBB\xBF";
         for (int i = 0; i < 1000; ++i) s += "\xC4\x8D";
         return s + "\n";
       }(),
       {std::wstring(999, L'\u010D'), L"\u010D"}},
  };
  for (const Case& c : cases) {
    const Read got = read(c.bytes);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].second, c.lines);
  }
}

TEST_F(TextFileRead, ByteOrderMarks) {
  struct Case {
    const char* what;
    std::string bytes;
    int encoding;
    Lines lines;
  } cases[] = {
      {"no mark: 8-bit Windows-1250", "\x8A" "ibenik 1 2\n", 1, {L"\u0160ibenik 1 2"}},
      {"UTF-8 mark is not part of the first line", "\xEF\xBB\xBF" "\xC5\xA0" "ibenik 1 2\n", 2, {L"\u0160ibenik 1 2"}},
      {"UTF-8 mark before a comment", "\xEF\xBB\xBF*c\n1 2 3\n", 2, {L"1 2 3"}},
      {"UTF-16 LE", std::string("\xFF\xFE" "1\0 \0" "2\0\r\0\n\0" "\x60\x01\n\0", 16), 2, {L"1 2", L"\u0160"}},
      {"UTF-16 BE", std::string("\xFE\xFF\0" "1\0 \0" "2\0\n", 10), 2, {L"1 2"}},
      {"UTF-16 LE surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE\n\0", 8), 2, {L"\U0001F600"}},
      {"UTF-32 LE", std::string("\xFF\xFE\0\0" "7\0\0\0\n\0\0\0", 12), 2, {L"7"}},
      {"UTF-32 BE", std::string("\0\0\xFE\xFF\0\0\0" "8", 8), 2, {L"8"}},
      {"SCSU mark, ASCII after it", "\x0E\xFE\xFF" "1 2 3\n", 2, {L"1 2 3"}},
      {"invalid UTF-8 reads U+FFFD", "\xEF\xBB\xBF" "a\xFF" "b\n", 2, {L"a\uFFFDb"}},
      {"an overlong UTF-8 form of \"/\" reads U+FFFD", "\xEF\xBB\xBF" "a\xE0\x80\xAF" "b\n", 2, {L"a\uFFFDb"}},
      {"UTF-32 beyond U+10FFFF reads U+FFFD", std::string("\xFF\xFE\0\0" "\0\0\x11\0", 8), 2, {L"\uFFFD"}},
      {"a file shorter than a mark", "\xFF", 1, {L"\u02D9"}},
  };
  for (const Case& c : cases) {
    const CString path = writeFile("marked.txt", c.bytes);
    EXPECT_EQ(DetectTextEncoding(path), c.encoding) << c.what;
    const Read got = read(c.bytes);
    ASSERT_EQ(got.size(), 1u) << c.what;
    EXPECT_EQ(got[0].second, c.lines) << c.what;
  }
}

// A character whose bytes the end of the reader's first block (1 MiB after
// the mark) parts comes through whole.
TEST_F(TextFileRead, ACharacterCutByTheEndOfABlock) {
  const size_t kBlock = 1 << 20;
  std::string bytes = "\xEF\xBB\xBF";
  while (bytes.size() + 6 <= 3 + kBlock - 1) bytes += "1 2 3\n";
  bytes += std::string(3 + kBlock - 1 - bytes.size(), 'y') + "\xC5\xA1 9\n";  // the first byte ends the block
  CTextFile file;
  ASSERT_EQ(file.Read(writeFile("cut.txt", bytes)), 1);
  CTextFile::CSection* s = file.FindSection(L"???");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->GetLine(s->GetLineCount() - 1).str(), L"yyy\u0161 9");
}

// Lines cut by the ends of the reader's blocks come through whole, in any
// encoding, and the progress meter walks the file from start to end.
TEST_F(TextFileRead, LargeFileAcrossBlocks) {
  std::string utf8 = "\xEF\xBB\xBF", utf16 = "\xFF\xFE";
  const int kLines = 300000;
  for (int i = 0; i < kLines; ++i) {
    const std::string line = std::to_string(i) + " \xC5\xA1 " + std::to_string(i * 7) + "\n";
    utf8 += line;
    const CString wide(line.c_str());
    for (wchar_t c : wide.str()) utf16 += std::string{char(c & 0xFF), char(c >> 8)};
  }
  for (const std::string* bytes : {&utf8, &utf16}) {
    CTextFile file;
    ASSERT_EQ(file.Read(writeFile("big.txt", *bytes)), 1);
    CTextFile::CSection* s = file.FindSection(L"???");
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->GetLineCount(), kLines) << "line " << s->GetLine(s->GetLineCount() - 1).toUtf8();
    for (int i : {0, 1, 123456, 262143, 262144, kLines - 1})
      EXPECT_EQ(s->GetLine(i).str(), std::to_wstring(i) + L" \u0161 " + std::to_wstring(i * 7));
    const auto& history = uv::ProgressMeter::instance().history();
    EXPECT_FALSE(uv::ProgressMeter::instance().active()) << "the status bar is restored";
    ASSERT_EQ(history.size(), size_t(kLines));
    EXPECT_TRUE(std::is_sorted(history.begin(), history.end()));
    EXPECT_GT(history.back(), int(bytes->size() * 9 / 10));
    EXPECT_LE(history.back(), int(bytes->size()));
  }
}

}  // namespace
}  // namespace uvtest
