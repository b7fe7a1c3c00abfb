#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "base/TextCase.h"
#include "user/CurrentUser.h"
#include "user/MessageBoxCodes.h"
#include "user/ScriptError.h"
#include "user/ScriptedUser.h"

namespace {

using uv::InputStatus;
using uv::ScriptedUser;
using Mode = uv::SelectionAnswer::Mode;

std::string u8(const std::wstring& s) { return uv::toUtf8(s); }

template <class F>
std::wstring errorOf(F&& f) {
  try {
    f();
  } catch (const uv::ScriptError& e) {
    return e.fullMessage();
  }
  return L"";
}

TEST(ScriptedUser, AMismatchNamesLineScriptAndQuestion) {
  ScriptedUser user = ScriptedUser::fromText(L"SHOW\n\nclick IDC_ADD\n", L"job.txt");
  user.take();  // the command
  std::wstring error = errorOf([&] { user.getPoint({L"\nPick first corner: "}); });
  EXPECT_EQ(error, L"job.txt:3: the program asked for a point (\"Pick first corner:\") but the script says: click IDC_ADD");
}

TEST(ScriptedUser, AnEmptyQueueNamesTheEndOfTheScript) {
  ScriptedUser user = ScriptedUser::fromText(L"SHOW\npoint 1,2\n", L"job.txt");
  user.take();
  EXPECT_EQ(user.getPoint({L"First:"}).point.y, 2);
  EXPECT_EQ(errorOf([&] { user.getPoint({L"Second:"}); }),
            L"job.txt:2: the script ended, but the program asked for a point (\"Second:\")");
}

TEST(ScriptedUser, PromptsTakeTheirOwnAnswersAndEnterOrCancel) {
  ScriptedUser user;
  user.appendLines({L"point 1,2", L"enter", L"cancel", L"corner 5,6", L"point 7,8", L"string \"Teren 1\"", L"enter",
                    L"number 2.5", L"keyword LAYER", L"entity 3,4", L"entity handle 1A"});
  auto p = user.getPoint({L"P:", AcGePoint3d(0, 0, 0)});
  EXPECT_EQ(p.status, InputStatus::kOk);
  EXPECT_EQ(p.point.x, 1);
  EXPECT_EQ(user.getPoint({L"P:"}).status, InputStatus::kNone);
  EXPECT_EQ(user.getPoint({L"P:"}).status, InputStatus::kCancel);
  EXPECT_EQ(user.getCorner({L"C:", AcGePoint3d()}).point.y, 6);
  EXPECT_EQ(user.getCorner({L"C:", AcGePoint3d()}).point.x, 7);  // a point answers a corner too
  auto s = user.getString({L"Name:", true});
  EXPECT_EQ(s.text, L"Teren 1");
  EXPECT_EQ(user.getString({L"Name:"}).status, InputStatus::kNone);
  EXPECT_EQ(user.getNumber({L"N:"}).value, 2.5);
  EXPECT_EQ(user.getKeyword({L"K:", {L"Layer", L"Color"}}).text, L"Layer");  // the question's spelling
  auto e = user.pickEntity({L"E:"});
  EXPECT_FALSE(e.byHandle);
  EXPECT_EQ(e.point.y, 4);
  e = user.pickEntity({L"E:"});
  EXPECT_TRUE(e.byHandle);
  EXPECT_EQ(e.handle, L"1A");
  EXPECT_TRUE(user.empty());
}

TEST(ScriptedUser, AnswersThatAPersonCouldNotGiveAreRefused) {
  struct Case {
    const wchar_t* line;
    std::function<void(ScriptedUser&)> ask;
    const wchar_t* error;
  } cases[] = {
      {L"string \"a b\"", [](ScriptedUser& u) { u.getString({L"Name:"}); }, L"(this prompt takes no spaces)"},
      {L"string \"abcdef\"", [](ScriptedUser& u) { u.getString({L"Name:", true, 5}); }, L"longer than 5 characters"},
      {L"number 2.5", [](ScriptedUser& u) { u.getNumber({L"N:", true}); }, L"should be an integer"},
      {L"keyword Size", [](ScriptedUser& u) { u.getKeyword({L"K:", {L"Layer"}}); }, L"not one of the keywords"},
      {L"point 1,2", [](ScriptedUser& u) { u.select({}); }, L"the program asked for a selection but"},
      {L"select all", [](ScriptedUser& u) { u.getPoint({L"P:"}); }, L"asked for a point (\"P:\") but the script says: select all"},
      {L"answer yes", [](ScriptedUser& u) { u.messageBox({L"Done.", L"Cap", MB_OK}); },
       L"the program asked for an answer to the message box \"Done.\" (OK) but the script says: answer yes (the "
       L"message box has no such button)"},
      {L"answer ok", [](ScriptedUser& u) { u.messageBox({L"Delete?", L"", MB_YESNO}); }, L"(Yes/No)"},
      {L"answer ok \"is a folder\"", [](ScriptedUser& u) { u.messageBox({L"x.kvb: truncated", L"", MB_OK}); },
       L"the message does not say \"is a folder\""},
      {L"color 256", [](ScriptedUser& u) { u.chooseColor({7, false}); }, L"a colour (1 to 255)"},
      {L"color byblock", [](ScriptedUser& u) { u.chooseColor({7, false}); }, L"not offered"},
      {L"color 300", [](ScriptedUser& u) { u.chooseColor({7, true}); }, L"not offered"},
      {L"linetype \"ByLayer\"", [](ScriptedUser& u) { u.chooseLinetype({L"", false, {L"Continuous"}}); },
       L"ByLayer and ByBlock are not offered"},
      {L"linetype \"ZIGZAG\"", [](ScriptedUser& u) { u.chooseLinetype({L"", true, {L"Continuous", L"DASHED"}}); },
       L"the dialog offers Continuous, DASHED"},
      {L"file \"\"", [](ScriptedUser& u) { u.chooseFile({}); }, L"an empty file name"},
      {L"click IDOK", [](ScriptedUser& u) { u.chooseFile({false, L"Load points"}); },
       L"a file to open (\"Load points\") but the script says: click IDOK"},
      {L"SHOW", [](ScriptedUser& u) { u.pickEntity({L"Pick:"}); }, L"but the script says: SHOW"},
  };
  for (const auto& c : cases) {
    ScriptedUser user = ScriptedUser::fromText(c.line, L"job.txt");
    std::wstring error = errorOf([&] { c.ask(user); });
    EXPECT_EQ(error.rfind(L"job.txt:1: ", 0), 0u) << u8(c.line) << ": " << u8(error);
    EXPECT_NE(error.find(c.error), std::wstring::npos) << u8(c.line) << "\n  gave: " << u8(error);
  }
}

TEST(ScriptedUser, SelectionsAreDescriptionsForTheEditor) {
  ScriptedUser user;
  user.appendLines({L"select all", L"select window 0,0 10,5", L"select crossing 1,1 2,2", L"select last",
                    L"select previous", L"select handles 1A 2b", L"select none", L"enter", L"cancel"});
  struct Expected {
    Mode mode;
    size_t handles;
  } expected[] = {{Mode::kAll, 0},      {Mode::kWindow, 0}, {Mode::kCrossing, 0},
                  {Mode::kLast, 0},     {Mode::kPrevious, 0}, {Mode::kHandles, 2},
                  {Mode::kNone, 0},     {Mode::kNone, 0},   {Mode::kCancel, 0}};
  for (const auto& e : expected) {
    auto a = user.select({});
    EXPECT_EQ(a.mode, e.mode);
    EXPECT_EQ(a.handles.size(), e.handles);
    if (a.mode == Mode::kWindow) {
      EXPECT_EQ(a.second.x, 10);
      EXPECT_EQ(a.second.y, 5);
    }
  }
}

TEST(ScriptedUser, MessageBoxesAndHostDialogs) {
  ScriptedUser user;
  user.appendLines({L"answer yes \"Delete\"", L"answer no", L"answer ok", L"answer cancel", L"color 3", L"color bylayer",
                    L"cancel", L"linetype \"dashed\"", L"linetype \"ByBlock\"", L"cancel"});
  EXPECT_EQ(user.messageBox({L"Delete?", L"", MB_YESNO | MB_ICONQUESTION}), IDYES);
  EXPECT_EQ(user.messageBox({L"Delete?", L"", MB_YESNO}), IDNO);
  EXPECT_EQ(user.messageBox({L"Done.", L"", MB_OK}), IDOK);
  EXPECT_EQ(user.messageBox({L"Go on?", L"", MB_OKCANCEL}), IDCANCEL);
  EXPECT_EQ(user.chooseColor({7, false}), 3);
  EXPECT_EQ(user.chooseColor({7, true}), 256);
  EXPECT_EQ(user.chooseColor({7, true}), std::nullopt);
  EXPECT_EQ(user.chooseLinetype({L"", false, {L"Continuous", L"DASHED"}}), L"DASHED");
  EXPECT_EQ(user.chooseLinetype({L"", true, {}}), L"ByBlock");
  EXPECT_EQ(user.chooseLinetype({L"", true, {}}), std::nullopt);
}

TEST(ScriptedUser, FilesAreFoundBesideTheScript) {
  namespace fs = std::filesystem;
  ScriptedUser user = ScriptedUser::fromText(
      L"file \"points.txt\"\nfile \"sub/../out\"\nfile \"/abs/x.kvb\"\nfile cancel\ncancel\n", L"/jobs/a/job.txt");
  uv::FileQuestion open{false, L"Open", L"", L"txt", L"*.txt|*.txt||"};
  uv::FileQuestion save{true, L"Save", L"", L"kvb", L"*.kvb|*.kvb|*.*|*.*||", true};
  EXPECT_EQ(user.chooseFile(open), L"/jobs/a/points.txt");
  EXPECT_EQ(user.chooseFile(save), L"/jobs/a/out.kvb");  // the default extension added
  EXPECT_EQ(user.chooseFile(save), L"/abs/x.kvb");
  EXPECT_EQ(user.chooseFile(open), std::nullopt);
  EXPECT_EQ(user.chooseFile(open), std::nullopt);

  ScriptedUser coded;  // actions built in code use the base folder
  coded.setBaseFolder(L"/data");
  coded.appendLines({L"file \"p.txt\""});
  EXPECT_EQ(coded.chooseFile(open), L"/data/p.txt");
}

// The save dialog's question before it takes an existing file: Yes takes it, No asks for
// another name; a missing file, an open dialog or a dialog that does not confirm asks nothing.
TEST(ScriptedUser, TheOverwriteQuestionIsAnsweredByTheScript) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("overwrite-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  { std::ofstream(dir / "old.kvb") << "x"; }
  const std::wstring script = uv::fromUtf8((dir / "job.txt").string());
  const std::wstring old = uv::fromUtf8((dir / "old.kvb").string());
  const std::wstring fresh = uv::fromUtf8((dir / "new.kvb").string());
  uv::FileQuestion confirm{true, L"Save", L"", L"kvb", L"", true};
  uv::FileQuestion silent{true, L"Save", L"", L"kvb", L"", false};
  uv::FileQuestion open{false, L"Open", L"", L"kvb", L"", true};
  struct Case {
    const wchar_t* lines;
    const uv::FileQuestion* q;
    std::optional<std::wstring> chosen;
  } cases[] = {
      {L"file \"old\"\nanswer yes\n", &confirm, old},
      {L"file \"old\"\nanswer no\nfile \"new\"\n", &confirm, fresh},
      {L"file \"old\"\nanswer no\ncancel\n", &confirm, std::nullopt},
      {L"file \"new\"\n", &confirm, fresh},
      {L"file \"old\"\n", &silent, old},
      {L"file \"old.kvb\"\n", &open, old},
  };
  for (const Case& c : cases) {
    ScriptedUser user = ScriptedUser::fromText(c.lines, script);
    EXPECT_EQ(user.chooseFile(*c.q), c.chosen) << u8(c.lines);
    EXPECT_TRUE(user.empty()) << u8(c.lines);
  }
  // A script that does not answer the question stops with the question named.
  ScriptedUser unanswered = ScriptedUser::fromText(L"file \"old\"\nfile \"new\"\n", script);
  const std::wstring error = errorOf([&] { unanswered.chooseFile(confirm); });
  EXPECT_NE(error.find(L"old.kvb already exists"), std::wstring::npos) << u8(error);
  EXPECT_NE(error.find(L"(Yes/No)"), std::wstring::npos) << u8(error);
  fs::remove_all(dir);
}

TEST(CurrentUser, ScopesNestAndNobodyAnswersWithAClearError) {
  std::wstring error = errorOf([] { uv::currentUser().getPoint({L"Where:"}); });
  EXPECT_EQ(error, L"nobody is there to answer: the program asked for a point (\"Where:\")");
  ScriptedUser outer, inner;
  {
    uv::UserScope a(outer);
    EXPECT_EQ(&uv::currentUser(), &outer);
    {
      uv::UserScope b(inner);
      EXPECT_EQ(&uv::currentUser(), &inner);
    }
    EXPECT_EQ(&uv::currentUser(), &outer);
  }
  EXPECT_NE(&uv::currentUser(), &outer);
}

}  // namespace
