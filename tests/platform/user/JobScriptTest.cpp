#include <gtest/gtest.h>

#include "base/TextCase.h"
#include "user/JobScript.h"
#include "user/ScriptError.h"
#include "user/ScriptValues.h"
#include "user/ScriptVocabulary.h"

namespace {

using uv::ActionKind;
using uv::JobScript;
using uv::ScriptError;

std::string u8(const std::wstring& s) { return uv::toUtf8(s); }

// The error a one-line script gives, or "" when it parses.
std::wstring errorOf(const std::wstring& line) {
  try {
    JobScript::parse(line, L"job.txt");
  } catch (const ScriptError& e) {
    return e.fullMessage();
  }
  return L"";
}

TEST(JobScript, ReadsEveryKindOfLine) {
  struct Case {
    const wchar_t* line;
    ActionKind kind;
    const wchar_t* verb;
    std::vector<std::wstring> args;  // quoted ones written with quotes
  } cases[] = {
      {L"SHOW", ActionKind::kCommand, L"SHOW", {}},
      {L"  slojniceoznake  ", ActionKind::kCommand, L"slojniceoznake", {}},
      {L"_.LINE", ActionKind::kCommand, L"_.LINE", {}},
      {L"point 10,20", ActionKind::kAnswer, L"point", {L"10,20"}},
      {L"point -1.5,2e3,0.25", ActionKind::kAnswer, L"point", {L"-1.5,2e3,0.25"}},
      {L"corner 5,5", ActionKind::kAnswer, L"corner", {L"5,5"}},
      {L"string \"Teren 1\"", ActionKind::kAnswer, L"string", {L"\"Teren 1\""}},
      {L"string \"\"", ActionKind::kAnswer, L"string", {L"\"\""}},
      {L"enter", ActionKind::kAnswer, L"enter", {}},
      {L"cancel   # give up", ActionKind::kAnswer, L"cancel", {}},
      {L"select all", ActionKind::kAnswer, L"select", {L"all"}},
      {L"select window 0,0 100,100", ActionKind::kAnswer, L"select", {L"window", L"0,0", L"100,100"}},
      {L"select CROSSING 0,0 1,1", ActionKind::kAnswer, L"select", {L"CROSSING", L"0,0", L"1,1"}},
      {L"select handles 1A 2B 3C", ActionKind::kAnswer, L"select", {L"handles", L"1A", L"2B", L"3C"}},
      {L"select none", ActionKind::kAnswer, L"select", {L"none"}},
      {L"entity 12.5,3", ActionKind::kAnswer, L"entity", {L"12.5,3"}},
      {L"entity handle 1A", ActionKind::kAnswer, L"entity", {L"handle", L"1A"}},
      {L"answer yes", ActionKind::kAnswer, L"answer", {L"yes"}},
      {L"color 3", ActionKind::kAnswer, L"color", {L"3"}},
      {L"color bylayer", ActionKind::kAnswer, L"color", {L"bylayer"}},
      {L"linetype \"DASHED\"", ActionKind::kAnswer, L"linetype", {L"\"DASHED\""}},
      {L"file \"points.txt\"", ActionKind::kAnswer, L"file", {L"\"points.txt\""}},
      {L"file cancel", ActionKind::kAnswer, L"file", {L"cancel"}},
      {L"click IDC_ADD", ActionKind::kDialog, L"click", {L"IDC_ADD"}},
      {L"click 1", ActionKind::kDialog, L"click", {L"1"}},
      {L"set IDC_NAME \"Teren\"", ActionKind::kDialog, L"set", {L"IDC_NAME", L"\"Teren\""}},
      {L"type IDC_STEP \"12.5\"", ActionKind::kDialog, L"type", {L"IDC_STEP", L"\"12.5\""}},
      {L"check IDC_GROUP on", ActionKind::kDialog, L"check", {L"IDC_GROUP", L"on"}},
      {L"choose IDC_SURFACES \"Teren\"", ActionKind::kDialog, L"choose", {L"IDC_SURFACES", L"\"Teren\""}},
      {L"choose IDC_SURFACES #3", ActionKind::kDialog, L"choose", {L"IDC_SURFACES", L"#3"}},
      {L"select-row IDC_LIST 2", ActionKind::kDialog, L"select-row", {L"IDC_LIST", L"2"}},
      {L"edit-cell IDC_GRID 1 2 \"x\"", ActionKind::kDialog, L"edit-cell", {L"IDC_GRID", L"1", L"2", L"\"x\""}},
      {L"close", ActionKind::kDialog, L"close", {}},
      {L"open \"in.dxf\"", ActionKind::kHost, L"open", {L"\"in.dxf\""}},
      {L"view 10,20 100", ActionKind::kHost, L"view", {L"10,20", L"100"}},
      {L"call CallShowSurface \"Teren\"", ActionKind::kHost, L"call", {L"CallShowSurface", L"\"Teren\""}},
      {L"call CallSurfaceManager", ActionKind::kHost, L"call", {L"CallSurfaceManager"}},
      {L"load \"module.so\"", ActionKind::kHost, L"load", {L"\"module.so\""}},
      {L"unload \"UIVantor2\"", ActionKind::kHost, L"unload", {L"\"UIVantor2\""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(u8(c.line));
    auto actions = JobScript::parse(c.line, L"job.txt");
    ASSERT_EQ(actions.size(), 1u);
    const auto& a = actions[0];
    EXPECT_EQ(a.kind, c.kind);
    EXPECT_EQ(a.verb, c.verb);
    std::vector<std::wstring> args;
    for (const auto& t : a.args) args.push_back(t.quoted ? L"\"" + t.text + L"\"" : t.text);
    EXPECT_EQ(args, c.args);
    EXPECT_EQ(a.where.line, 1);
  }
}

TEST(JobScript, QuotedStringsTakeEscapes) {
  auto a = JobScript::parse(LR"(set IDC_X "a \"b\" c\\d\n\u0161#1")", L"job.txt").at(0);
  EXPECT_EQ(a.args.at(1).text, L"a \"b\" c\\d\n\u0161#1");
  EXPECT_TRUE(a.args.at(1).quoted);
  // A quoted text may hold what would otherwise be a comment.
  EXPECT_EQ(JobScript::parse(L"string \"# not a comment\"", L"j").at(0).args.at(0).text, L"# not a comment");
}

TEST(JobScript, NumbersLineFromOneAndSkipsCommentsAndBlankLines) {
  std::wstring text =
      L"\xFEFF# a job\r\n"
      L"\r\n"
      L"SHOW\r\n"
      L"   # indented comment\n"
      L"point 1,2 # trailing comment\n"
      L"enter";
  auto actions = JobScript::parse(text, L"dir/job.txt");
  ASSERT_EQ(actions.size(), 3u);
  EXPECT_EQ(actions[0].where.line, 3);
  EXPECT_EQ(actions[0].verb, L"SHOW");  // no carriage return left on the name
  EXPECT_EQ(actions[1].where.line, 5);
  EXPECT_EQ(actions[1].where.text, L"point 1,2 # trailing comment");
  EXPECT_EQ(actions[1].args.size(), 1u);
  EXPECT_EQ(actions[2].where.line, 6);
  EXPECT_EQ(actions[2].where.file, L"dir/job.txt");
}

TEST(JobScript, BadLinesNameFileLineAndWhatIsWrong) {
  struct Case {
    const wchar_t* line;
    const wchar_t* error;
  } cases[] = {
      {L"point 10;20", L"job.txt:1: cannot read \"point 10;20\"; write point x,y"},
      {L"point 10,20 30,40", L"job.txt:1: cannot read \"point 10,20 30,40\"; write point x,y"},
      {L"point", L"job.txt:1: cannot read \"point\"; write point x,y"},
      {L"point 1,2,3,4", L"job.txt:1: cannot read \"point 1,2,3,4\""},
      {L"point 1,,2", L"job.txt:1: cannot read"},
      {L"point 1.2.3,4", L"job.txt:1: cannot read"},
      {L"point \"1,2\"", L"job.txt:1: cannot read"},
      {L"select window 0,0",
       L"job.txt:1: cannot read \"select window 0,0\"; write select all|last|previous|none, or select "
       L"window|crossing x,y x,y, or select handles word word..."},
      {L"select everything", L"job.txt:1: cannot read \"select everything\""},
      {L"answer maybe", L"job.txt:1: cannot read \"answer maybe\"; write answer yes|no|ok|cancel|abort|retry|ignore"},
      {L"check IDC_X yes", L"write check control on|off"},
      {L"edit-cell IDC_GRID one 2 \"x\"", L"write edit-cell control integer integer \"text\""},
      {L"color red", L"write color integer, or color bylayer|byblock"},
      {L"expect progress \"Drawing\" 16 16", L"or expect progress \"text\" integer of integer"},
      {L"string \"open", L"job.txt:1: a quoted string is not closed"},
      {L"string \"a\"b", L"job.txt:1: a closing quote must be followed by a blank"},
      {L"string a\"b\"", L"job.txt:1: a quote inside a word"},
      {L"string \"\\q\"", L"job.txt:1: unknown escape \\q in a quoted string"},
      {L"string \"\\u12\"", L"job.txt:1: \\u must be followed by four hexadecimal digits"},
      {L"\"SHOW\"", L"job.txt:1: a line starts with a verb or a command name"},
      {L"Point 1,2", L"job.txt:1: unknown verb \"Point\"; verbs are written in lower case: point"},
      {L"SHOW Teren", L"job.txt:1: \"SHOW\" is not a verb, so it is taken as a command name"},
  };
  for (const auto& c : cases) {
    std::wstring error = errorOf(c.line);
    EXPECT_NE(error.find(c.error), std::wstring::npos) << u8(c.line) << "\n  gave: " << u8(error);
  }
  // The line number counts every line, comments and blanks included.
  std::wstring error = errorOf(L"SHOW\n\n# x\npoint nowhere\n");
  EXPECT_EQ(error.rfind(L"job.txt:4: ", 0), 0u) << u8(error);
}

TEST(JobScript, VocabularyCanGrow) {
  auto& vocabulary = uv::ScriptVocabulary::instance();
  EXPECT_NE(errorOf(L"check-row IDC_TYPES 3 off"), L"");  // a command name with arguments
  vocabulary.add(L"check-row", ActionKind::kDialog, L"C I {on|off}");
  auto a = JobScript::parse(L"check-row IDC_TYPES 3 off", L"j").at(0);
  EXPECT_EQ(a.kind, ActionKind::kDialog);
  EXPECT_NE(errorOf(L"check-row IDC_TYPES x off"), L"");
}

TEST(ScriptValues, NumbersIgnoreTheLocaleAndRefuseWhatIsNotOne) {
  struct Case {
    const wchar_t* text;
    bool ok;
    double value;
  } cases[] = {{L"12.5", true, 12.5}, {L"-3", true, -3},      {L"+4.", true, 4},    {L".5", true, 0.5},
               {L"1e3", true, 1000},  {L"2.5E-1", true, 0.25}, {L"12,5", false, 0},  {L"", false, 0},
               {L"-", false, 0},      {L"1e", false, 0},       {L"nan", false, 0},   {L"inf", false, 0},
               {L"0x10", false, 0},   {L" 1", false, 0},       {L"1e999", false, 0}, {L".", false, 0}};
  for (const auto& c : cases) {
    auto v = uv::parseScriptNumber(c.text);
    EXPECT_EQ(v.has_value(), c.ok) << u8(c.text);
    if (v && c.ok) {
      EXPECT_DOUBLE_EQ(*v, c.value) << u8(c.text);
    }
  }
  EXPECT_EQ(uv::parseScriptInteger(L"-12"), -12);
  EXPECT_FALSE(uv::parseScriptInteger(L"1.0"));
  EXPECT_FALSE(uv::parseScriptInteger(L"99999999999"));
  auto p = uv::parseScriptPoint(L"1,-2.5,3");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->z, 3);
  EXPECT_EQ(uv::formatScriptPoint(*p), L"1,-2.5,3");
  EXPECT_EQ(uv::formatScriptPoint(AcGePoint3d(0.1, 2, 0)), L"0.1,2");
}

}  // namespace
