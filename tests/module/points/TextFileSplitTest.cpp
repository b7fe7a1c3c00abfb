// Cutting lines into fields: at a delimiter and at column end positions.
#include <gtest/gtest.h>

#include "TextFixture.h"
#include "base/TextCase.h"
#include "module/points/CTextFile.h"

namespace uvtest {
namespace {

using Fields = std::vector<std::wstring>;

struct DelimiterCase {
  const wchar_t* text;
  const wchar_t* delimiter;
  Fields fields;
};

TEST(TextFileSplit, ByDelimiter) {
  const DelimiterCase cases[] = {
      {L"1.5 2.5 3.5", L" ", {L"1.5", L"2.5", L"3.5"}},
      {L"10   20", L" ", {L"10", L"20"}},               // a run of delimiters adds no field
      {L" 10 20", L" ", {L"10", L"20"}},                // nor a leading one
      {L"10 20 ", L" ", {L"10", L"20"}},                // nor a trailing one
      {L"1020", L" ", {}},                              // no delimiter: no fields at all
      {L"", L" ", {}},
      {L"a,,b", L",", {L"a", L"b"}},
      {L",", L",", {}},
      {L" a ;b; ", L";", {L" a ", L"b", L" "}},          // fields are not trimmed
      {L"1\t2", L" ", {}},                              // a tab is not a space
      {L"1::2:3", L"::", {L"1", L"2:3"}},              // a longer delimiter counts whole
      {L"x y", L"", {}},
      {L"Čvor Đurđevac 12.5", L" ", {L"Čvor", L"Đurđevac", L"12.5"}},
  };
  CStringArray fields;
  for (const DelimiterCase& c : cases) {
    const int n = SplitByDelimiter(c.text, c.delimiter, fields);
    EXPECT_EQ(toVector(fields), c.fields) << "\"" << CString(c.text).toUtf8() << "\"";
    EXPECT_EQ(n, int(c.fields.size()));
  }
}

struct BoundaryCase {
  const wchar_t* text;
  std::vector<int> ends;
  Fields fields;
};

TEST(TextFileSplit, ByBoundaries) {
  const BoundaryCase cases[] = {
      // 25 characters cut at 10, 20, 30: the third field is short, the
      // fourth lies past the end and is kept empty.
      {L"aaaaaaaaaabbbbbbbbbbccccc", {10, 20, 30}, {L"aaaaaaaaaa", L"bbbbbbbbbb", L"ccccc", L""}},
      {L"abc", {}, {L"abc"}},
      {L"", {2, 4}, {L"", L"", L""}},
      {L"abcdef", {2, 4}, {L"ab", L"cd", L"ef"}},
      // Width 0: every stored column is empty and the last one holds the line.
      {L"12 34", {0, 0, 0}, {L"", L"", L"", L"12 34"}},
      // A position behind its predecessor makes an empty field; the next
      // field starts from it.
      {L"abcdefgh", {6, 3, 8}, {L"abcdef", L"", L"defgh", L""}},
      // Positions count characters, not bytes.
      {L"Čvor Đurđevac", {4}, {L"Čvor", L" Đurđevac"}},
  };
  CStringArray fields;
  for (const BoundaryCase& c : cases) {
    CIntArray ends;
    for (int e : c.ends) ends.Add(e);
    const int n = SplitByBoundaries(c.text, ends, fields);
    EXPECT_EQ(toVector(fields), c.fields) << "\"" << CString(c.text).toUtf8() << "\"";
    EXPECT_EQ(n, int(c.ends.size()) + 1);
    EXPECT_EQ(ends.GetSize(), int(c.ends.size())) << "the stored list is not changed";
  }
}

TEST(TextFileSplit, SectionCutsByItsMode) {
  CTextFile::CSection section(L"North");
  section.AddLine(L"  100.5  200.25   3");
  section.AddLine(L"1;2;3");
  CStringArray fields;

  EXPECT_EQ(section.GetSplitMode(), CTextFile::CSection::kSplitDelimiter);  // a space by default
  EXPECT_EQ(section.SplitLine(0, fields), 3);
  EXPECT_EQ(toVector(fields), (Fields{L"100.5", L"200.25", L"3"}));

  section.SetSplitMode(CTextFile::CSection::kSplitDelimiter, L';', CIntArray());
  EXPECT_EQ(section.SplitLine(1, fields), 3);
  EXPECT_EQ(toVector(fields), (Fields{L"1", L"2", L"3"}));  // the first line's fields are gone
  EXPECT_EQ(section.SplitLine(0, fields), 0);

  CIntArray ends;
  ends.Add(7);
  ends.Add(15);
  section.SetSplitMode(CTextFile::CSection::kSplitColumns, L' ', ends);
  EXPECT_EQ(section.SplitLine(0, fields), 3);
  EXPECT_EQ(toVector(fields), (Fields{L"  100.5", L"  200.25", L"   3"}));
  ends.Add(20);  // the section keeps its own copy
  EXPECT_EQ(section.SplitLine(0, fields), 3);

  section.SetSplitMode(7, L' ', ends);  // not a mode: no fields, and what the array held is gone
  EXPECT_EQ(section.SplitLine(0, fields), 0);
  EXPECT_TRUE(fields.IsEmpty());
  // A line outside the section is the caller's error.
  EXPECT_THROW(section.SplitLine(2, fields), CInvalidArgException);
  EXPECT_THROW(section.SplitLine(-1, fields), CInvalidArgException);
}

// The fields as UTF-8 views are the wide fields, for every mode: delimiters
// of one and of several bytes, a delimiter no text can hold, and columns
// counted in characters over lines with letters of several bytes.
TEST(TextFileSplit, Utf8FieldsAreTheWideFields) {
  CTextFile::CSection section(L"a");
  for (const wchar_t* line : {L"1.5 2.5 3.5", L"  10   20 ", L"Čvor;Đurđevac;12.5", L"aččbččc", L"x\u20ACy\u20AC",
                              L"\U0001F600 1 \U0001F600", L"", L"1234567890ščćžđ1234567890"})
    section.AddLine(line);
  CIntArray columns, shuffled;
  for (int e : {3, 6, 10}) columns.Add(e);
  for (int e : {6, 3, 40, -2}) shuffled.Add(e);
  struct Mode {
    int mode;
    wchar_t delimiter;
    const CIntArray* ends;
  };
  const CIntArray none;
  const Mode modes[] = {{CTextFile::CSection::kSplitDelimiter, L' ', &none},
                        {CTextFile::CSection::kSplitDelimiter, L';', &none},
                        {CTextFile::CSection::kSplitDelimiter, L'\u010D', &none},
                        {CTextFile::CSection::kSplitDelimiter, L'\u20AC', &none},
                        {CTextFile::CSection::kSplitDelimiter, wchar_t(0xD800), &none},
                        {CTextFile::CSection::kSplitDelimiter, wchar_t(0x110000), &none},
                        {CTextFile::CSection::kSplitColumns, L' ', &columns},
                        {CTextFile::CSection::kSplitColumns, L' ', &shuffled},
                        {0, L' ', &none}};
  CStringArray wide;
  std::vector<std::string_view> utf8;
  for (const Mode& m : modes) {
    section.SetSplitMode(m.mode, m.delimiter, *m.ends);
    for (int i = 0; i < section.GetLineCount(); ++i) {
      const int n = section.SplitLine(i, wide);
      ASSERT_EQ(section.SplitLineUtf8(i, utf8), n) << m.mode << " " << int(m.delimiter) << " line " << i;
      ASSERT_EQ(utf8.size(), size_t(n));
      for (int f = 0; f < n; ++f) EXPECT_EQ(uv::fromUtf8(std::string(utf8[size_t(f)])), wide[f].str()) << i << " " << f;
    }
  }
  section.SetSplitMode(CTextFile::CSection::kSplitDelimiter, L'\u010D', none);
  ASSERT_EQ(section.SplitLine(3, wide), 3);  // "aččbččc" at "č": a, b, c
  EXPECT_EQ(toVector(wide), (Fields{L"a", L"b", L"c"}));
  EXPECT_THROW(section.SplitLineUtf8(8, utf8), CInvalidArgException);
}

}  // namespace
}  // namespace uvtest
