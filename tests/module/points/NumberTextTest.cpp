// The number at the start of a field or attribute text.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
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
  for (const Case& c : cases) EXPECT_EQ(uv::NumberFromText(c.text), c.value) << uv::toUtf8(c.text);
  EXPECT_EQ(uv::NumberFromText(nullptr), 0);
  EXPECT_TRUE(std::isinf(uv::NumberFromText(L"1e999")));
  EXPECT_LT(uv::NumberFromText(L"-1e999"), 0);
  // A long run of digits is still one number.
  const std::wstring longNumber = L"1" + std::wstring(300, L'0') + L".5";
  EXPECT_DOUBLE_EQ(uv::NumberFromText(longNumber.c_str()), 1e300);
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
