// The rules of numeric fields as tables: what may be typed, how the
// program's values look, how texts read; then the field applying them.
#include <gtest/gtest.h>

#include "module/controls/CNumericEdit.h"
#include "module/controls/NumericText.h"
#include "tests/platform/ui/UiTestSupport.h"
#include "ui/Feedback.h"

namespace {

using uv::NumericFormat;
using uvtest::u8;

NumericFormat positiveOnly() {
  NumericFormat f;
  f.allowNegative = false;
  return f;
}

NumericFormat integerDigits(int n) {
  NumericFormat f;
  f.integerDigits = n;
  f.fractionDigits = 0;
  f.groupSeparator = 0;
  f.allowNegative = false;
  return f;
}

TEST(NumericText, AcceptableTexts) {
  struct Case {
    const wchar_t* text;
    NumericFormat format;
    bool acceptable;
  } cases[] = {
      {L"", {}, true},
      {L"12345678", {}, true},
      {L"123456789", {}, false},       // nine digits before the point
      {L"12,345,678.1234", {}, true},  // group separators do not count
      {L"1.23456", {}, false},         // five after it
      {L".5", {}, true},
      {L"12.", {}, true},
      {L"1.2.3", {}, false},
      {L"-", {}, true},
      {L"-12.5", {}, true},
      {L"-12.5", positiveOnly(), false},
      {L"1-2", {}, false},
      {L",5", {}, false},              // a group separator follows a digit
      {L"1,,5", {}, false},
      {L"1.2,3", {}, false},           // and stands before the point
      {L"1e5", {}, false},
      {L" 1", {}, false},
      {L"123456789", integerDigits(9), true},
      {L"1234567890", integerDigits(9), false},
      {L"1.5", integerDigits(9), false},
      {L"1,5", integerDigits(9), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(uv::isAcceptableNumericText(c.text, c.format), c.acceptable) << u8(c.text);
}

TEST(NumericText, ValuesWrittenByTheProgramLoseTrailingZeros) {
  struct Case {
    double value;
    const wchar_t* text;
  } cases[] = {
      {10, L"10"},       {2.5, L"2.5"},          {0.1 + 0.2, L"0.3"},   {-3.25, L"-3.25"},
      {0, L"0"},         {-0.0000001, L"0"},     {1e-7, L"0"},          {123456.123456789, L"123456.123457"},
      {100.12, L"100.12"}, {1000000, L"1000000"}, {0.000001, L"0.000001"},
  };
  for (const auto& c : cases) EXPECT_EQ(uv::formatNumericValue(c.value, {}), c.text) << c.value;
}

TEST(NumericText, ReadingKeepsDigitsTheFirstSeparatorAndAMinus) {
  struct Case {
    const wchar_t* text;
    double value;
  } cases[] = {
      {L"", 0},        {L"-", 0},          {L".", 0},        {L"12.5", 12.5},     {L"1,234.5", 1234.5},
      {L"-0.5", -0.5}, {L".5", 0.5},       {L"12-3", -123},  {L"1.2.3", 1.23},   {L"abc", 0},
      {L"7 m", 7},     {L"00012", 12},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(uv::readNumericText(c.text, {}), c.value) << u8(c.text);
}

TEST(NumericEdit, TypedCharactersThatBreakTheRulesBeepAndPastedOnesVanish) {
  struct Case {
    bool negatives;
    bool paste;
    const wchar_t* input;
    const wchar_t* text;
    size_t beeps;
  } cases[] = {
      {true, false, L"123456789", L"12345678", 1},
      {true, false, L"1.23456", L"1.2345", 1},
      {false, false, L"-5", L"5", 1},
      {true, false, L"-5", L"-5", 0},
      {true, false, L"1,234.5", L"1,234.5", 0},
      {true, false, L"2..5", L"2.5", 1},
      {false, true, L"x-12.34567", L"12.3456", 0},
      {true, true, L"-1a0", L"-10", 0},
  };
  CWnd parent;
  parent.Create(nullptr, L"p", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0);
  for (const auto& c : cases) {
    CNumericEdit edit;
    edit.Create(WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 1);
    edit.AllowNegative(c.negatives);
    uv::Feedback::clearBeeps();
    if (c.paste) edit.userPaste(c.input);
    else edit.userType(c.input);
    EXPECT_EQ(edit.windowText(), c.text) << u8(c.input);
    EXPECT_EQ(uv::Feedback::beeps().size(), c.beeps) << u8(c.input);
    for (UINT b : uv::Feedback::beeps()) EXPECT_EQ(b, MB_ICONEXCLAMATION);
  }
}

// (Values written and read through the dialogs' fields: the contour and
// show-surface jobs.)
TEST(NumericEdit, DigitsSetLaterRuleTheTyping) {
  CWnd parent;
  parent.Create(nullptr, L"p", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0);
  CNumericEdit edit;
  edit.Create(WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 1);
  edit.SetDigits(9, 0);
  edit.SetWindowText(L"");
  edit.userType(L"12.5");
  EXPECT_EQ(edit.windowText(), L"125");
  EXPECT_EQ(edit.GetIntValue(), 125);
}

}  // namespace
