#include <gtest/gtest.h>

#include "base/CString.h"
#include "base/TextCase.h"

namespace {

struct FormatCase {
  const char* name;
  std::wstring expected;
  std::wstring actual;
};

TEST(CStringFormat, FollowsWidePrintfRules) {
  const FormatCase cases[] = {
      {"wide %s", L"[Teren]", FormatWide(L"[%s]", L"Teren")},
      {"narrow %hs", L"[abc]", FormatWide(L"[%hs]", "abc")},
      {"narrow %S", L"[abc]", FormatWide(L"[%S]", "abc")},
      {"utf-8 narrow", L"[\u0161uma]", FormatWide(L"[%hs]", "\xc5\xa1uma")},
      {"left pad", L"[ab   ]", FormatWide(L"[%-5s]", L"ab")},
      {"right pad", L"[   ab]", FormatWide(L"[%5s]", L"ab")},
      {"precision cuts", L"[ab]", FormatWide(L"[%.2s]", L"abcd")},
      {"two decimals", L"123.46", FormatWide(L"%.2f", 123.456)},
      {"negative", L"-12.30", FormatWide(L"%.2f", -12.3)},
      {"int", L"42", FormatWide(L"%d", 42)},
      {"zero pad", L"00021", FormatWide(L"%5.5i", 21)},
      {"unsigned hex", L"ff", FormatWide(L"%x", 255u)},
      {"64-bit", L"9000000000", FormatWide(L"%I64d", 9000000000LL)},
      {"long long", L"-9000000000", FormatWide(L"%lld", -9000000000LL)},
      {"char", L"x=#", FormatWide(L"x=%c", L'#')},
      {"percent", L"50%", FormatWide(L"%d%%", 50)},
      {"star width", L"[  7]", FormatWide(L"[%*d]", 3, 7)},
      {"null string", L"(null)", FormatWide(L"%s", static_cast<const wchar_t*>(nullptr))},
      {"filter twice", L"*.kvb|*.kvb|*.*|*.*||", FormatWide(L"*.%s|*.%s|*.*|*.*||", L"kvb", L"kvb")},
      {"suffix", L"Teren_12", FormatWide(L"%s_%d", L"Teren", 12)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.actual) << c.name;
}

TEST(CStringFormat, MemberFormatAndAppend) {
  CString s;
  s.Format(L"%s@%s", L"TAG", L"BLOCK");
  EXPECT_EQ(s, L"TAG@BLOCK");
  s.AppendFormat(L" %d", 3);
  EXPECT_EQ(s, L"TAG@BLOCK 3");
  // Long output is not truncated.
  CString big;
  big.Format(L"%s", std::wstring(5000, L'a').c_str());
  EXPECT_EQ(big.GetLength(), 5000);
}

TEST(CStringCompare, CaseSensitiveAndFolded) {
  EXPECT_EQ(CString(L"Teren").Compare(L"Teren"), 0);
  EXPECT_LT(CString(L"B").Compare(L"a"), 0);  // by character code
  EXPECT_NE(CString(L"teren").Compare(L"Teren"), 0);
  EXPECT_EQ(CString(L"teren").CompareNoCase(L"TEREN"), 0);
  EXPECT_EQ(CString(L"\u0160uma").CompareNoCase(L"\u0161UMA"), 0);  // Š/š
  EXPECT_EQ(CString(L"\u010Cvor").CompareNoCase(L"\u010Dvor"), 0);  // Č/č
  EXPECT_EQ(CString(L"\u0110URO").CompareNoCase(L"\u0111uro"), 0);  // Đ/đ
  EXPECT_EQ(CString(L"\u017Dica").CompareNoCase(L"\u017Eica"), 0);  // Ž/ž
  EXPECT_EQ(CString(L"\u0416").CompareNoCase(L"\u0436"), 0);       // Cyrillic Zhe
  EXPECT_LT(CString(L"abc").CompareNoCase(L"ABCD"), 0);
  EXPECT_NE(CString(L"a").CompareNoCase(L"b"), 0);
  EXPECT_EQ(CString(L"\u00E9t\u00C9").MakeUpper(), L"\u00C9T\u00C9");
}

TEST(CStringEdit, ExtractSearchAndModify) {
  CString s(L"  KVX_SURFACE.Teren  ");
  s.Trim();
  EXPECT_EQ(s, L"KVX_SURFACE.Teren");
  EXPECT_EQ(s.Find(L'.'), 11);
  EXPECT_EQ(s.Left(11), L"KVX_SURFACE");
  EXPECT_EQ(s.Mid(12), L"Teren");
  EXPECT_EQ(s.Right(3), L"ren");
  EXPECT_EQ(s.Mid(100), L"");
  EXPECT_EQ(s.Left(-1), L"");
  EXPECT_EQ(s.ReverseFind(L'_'), 3);
  EXPECT_EQ(s.Find(L"zz"), -1);
  EXPECT_EQ(s.FindOneOf(L".@"), 11);

  CString r(L"a,,b,c");
  EXPECT_EQ(r.Replace(L",", L";;"), 3);
  EXPECT_EQ(r, L"a;;;;b;;c");
  EXPECT_EQ(r.Remove(L';'), 6);
  EXPECT_EQ(r, L"abc");
  r.Insert(1, L"XY");
  EXPECT_EQ(r, L"aXYbc");
  r.Delete(1, 2);
  EXPECT_EQ(r, L"abc");

  CString t(L"##Section");
  t.TrimLeft(L'#');
  EXPECT_EQ(t, L"Section");

  CString tok(L" 1  2 3");
  int pos = 0;
  std::vector<std::wstring> parts;
  for (CString p = tok.Tokenize(L" ", pos); pos != -1; p = tok.Tokenize(L" ", pos)) parts.push_back(p.str());
  EXPECT_EQ(parts, (std::vector<std::wstring>{L"1", L"2", L"3"}));

  EXPECT_THROW(CString(L"ab").GetAt(2), std::out_of_range);
}

TEST(CStringBuffer, WriteThroughBuffer) {
  CString s;
  wchar_t* buf = s.GetBuffer(10);
  wcscpy(buf, L"abc");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_EQ(s, L"abc");
}

TEST(TextCaseUtf8, RoundTripAndInvalidBytes) {
  const std::wstring text = L"Plo\u0161ha \u017Du\u0107 \u20AC \U0001F600";
  EXPECT_EQ(uv::fromUtf8(uv::toUtf8(text)), text);
  EXPECT_EQ(CString(uv::toUtf8(text)).str(), text);
  EXPECT_EQ(uv::fromUtf8("a\xff" "b"), L"a\uFFFDb");
  EXPECT_EQ(uv::fromUtf8("\xc5"), L"\uFFFD");  // truncated sequence at the end
}

}  // namespace
