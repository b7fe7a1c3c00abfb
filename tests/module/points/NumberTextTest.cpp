// The number at the start of a field or attribute text.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <locale.h>
#include <random>
#include <string>

#include "base/TextCase.h"
#include "module/points/NumberText.h"

namespace {

TEST(NumberText, ReadsTheLeadingNumberAndStopsAtWhatDoesNotFit) {
  struct Case {
    const wchar_t* text;
    double value;
  } cases[] = {
      {L"123.5", 123.5},          {L"  \t-12.5e2xyz", -1250},  {L"+.5", 0.5},     {L"5.", 5},
      {L"12,5", 12},              {L"1 2", 1},                 {L"7e", 7},        {L"7e+", 7},
      {L"7E-2", 0.07},            {L"-0", 0},                  {L"", 0},          {L"abc", 0},
      {L"-", 0},                  {L".", 0},                   {L"E5", 0},        {L"inf", 0},
      {L"nan", 0},                {L"0x1A", 0},                {L"--5", 0},       {L"\x0661\x0662", 0},
      {L"101.25 m", 101.25},      {L"1e-400", 0},              {L"00042.000", 42},
      {L"4567890.12345678", 4567890.12345678},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(uv::NumberFromText(c.text), c.value) << uv::toUtf8(c.text);
    EXPECT_EQ(uv::NumberFromUtf8(uv::toUtf8(c.text)), c.value) << uv::toUtf8(c.text);
  }
  EXPECT_EQ(uv::NumberFromText(nullptr), 0);
  EXPECT_TRUE(std::isinf(uv::NumberFromText(L"1e999")));
  EXPECT_LT(uv::NumberFromText(L"-1e999"), 0);
  // A long run of digits is still one number.
  const std::wstring longNumber = L"1" + std::wstring(300, L'0') + L".5";
  EXPECT_DOUBLE_EQ(uv::NumberFromText(longNumber.c_str()), 1e300);
}

// The UTF-8 reading gives the wide reading's value, bit for bit, also where
// white space beyond ASCII (whatever the C library counts as such) or
// another script stands before the number.
TEST(NumberText, Utf8ReadsAsWideText) {
  for (const wchar_t* text : {L"\u3000 12.5", L"\u00A012.5", L"\u2003-3", L"\u0160 5", L"\u010D", L" \t\v\f\r7",
                              L"\x1C 8", L"12.5\u00A0", L"-0", L"1e-400", L"-1e999", L"4567890.123456789012345"}) {
    const double wide = uv::NumberFromText(text), utf8 = uv::NumberFromUtf8(uv::toUtf8(text));
    EXPECT_TRUE(std::memcmp(&wide, &utf8, sizeof wide) == 0) << uv::toUtf8(text) << ": " << wide << " " << utf8;
  }
}

// Every decimal text reads as the double nearest to it, as the C library
// reads it: short numbers take a quicker road than long ones, and both must
// land on the same double.
TEST(NumberText, NearestDoubleOnEveryRoad) {
  std::mt19937_64 random(5);
  std::uniform_int_distribution<int> digit(0, 9), length(1, 20), point(-1, 20), exponent(-30, 30), kind(0, 3);
  const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(0));
  for (int i = 0; i < 200000; ++i) {
    std::string text = kind(random) == 0 ? "-" : "";
    const int n = length(random), at = point(random);
    for (int k = 0; k < n; ++k) {
      if (k == at) text += '.';
      text += char('0' + digit(random));
    }
    if (kind(random) == 1) text += "e" + std::to_string(exponent(random));
    const double expected = strtod_l(text.c_str(), nullptr, c);
    const double got = uv::NumberFromUtf8(text);
    ASSERT_TRUE(std::memcmp(&expected, &got, sizeof got) == 0) << text << ": " << expected << " " << got;
    ASSERT_EQ(uv::NumberFromText(uv::fromUtf8(text).c_str()), expected) << text;
  }
  freelocale(c);
}

TEST(NumberText, AFullStopWhateverTheLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  // Any installed locale whose decimal point is a comma will do; without
  // one the test still checks the "C" reading.
  for (const char* name : {"de_DE.UTF-8", "hr_HR.UTF-8", "fr_FR.UTF-8"})
    if (std::setlocale(LC_NUMERIC, name)) break;
  EXPECT_EQ(uv::NumberFromText(L"12.5"), 12.5);
  EXPECT_EQ(uv::NumberFromText(L"12,5"), 12);
  std::setlocale(LC_NUMERIC, before.c_str());
}

}  // namespace
