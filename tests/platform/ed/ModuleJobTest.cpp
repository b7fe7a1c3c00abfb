#include <gtest/gtest.h>

#include "base/TextCase.h"
#include "db/AcDbBlockTableRecordIterator.h"
#include "db/resbuf.h"
#include "ed/CommandRunner.h"
#include "ed/ModelSpace.h"
#include "rx/AdsFunctions.h"
#include "rx/ModuleLoader.h"
#include "rx/SystemRegistry.h"
#include "user/ScriptError.h"
#include "EditorFixture.h"

namespace {

// The test module, loaded as the host loads the product's module, with a job
// script answering its prompts.
class ModuleJobTest : public uvtest::EditorFixture {
 protected:
  const std::wstring path = uv::fromUtf8(UV_LINE_MODULE);

  void SetUp() override {
    EditorFixture::SetUp();
    uv::ModuleResult r = uv::ModuleLoader::instance().load(path);
    ASSERT_TRUE(r.ok) << uv::toUtf8(r.message);
  }
  void TearDown() override {
    if (uv::ModuleLoader::instance().find(path)) uv::ModuleLoader::instance().unload(path);
    EditorFixture::TearDown();
  }

  // The host's job loop in small: commands run, answers go to their prompts.
  void runJob(const wchar_t* script) {
    user = uv::ScriptedUser::fromText(script, L"job.txt");
    while (!user.empty()) {
      uv::ScriptAction a = user.take();
      ASSERT_EQ(a.kind, uv::ActionKind::kCommand) << uv::toUtf8(a.describe());
      uv::CommandOutcome r = uv::CommandRunner::run(a.verb);
      ASSERT_TRUE(r.ok()) << uv::toUtf8(r.message);
      EXPECT_EQ(acDocManager->resourceStackDepth(), 0);
    }
  }

  // The lines of the drawing as "x1,y1-x2,y2", in drawing order.
  std::vector<std::string> lines() {
    std::vector<std::string> out;
    for (AcDbObjectId id : uv::ModelSpace::entities(db)) {
      AcDbLine* line = nullptr;
      if (acdbOpenObject(line, id, AcDb::kForRead) != Acad::eOk) continue;
      auto s = line->startPoint(), e = line->endPoint();
      char buf[96];
      std::snprintf(buf, sizeof buf, "%g,%g-%g,%g", s.x, s.y, e.x, e.y);
      out.push_back(buf);
      line->close();
    }
    return out;
  }
};

TEST_F(ModuleJobTest, CommandsOfALoadedModuleDrawWhatTheScriptAnswers) {
  runJob(
      L"# a triangle, then a rectangle\n"
      L"uvline\n"
      L"point 0,0\n"
      L"point 10,0\n"
      L"point 10,10\n"
      L"point 0,0\n"
      L"enter\n"
      L"UVRECT\n"
      L"point 20,0\n"
      L"corner 30,5\n");
  EXPECT_EQ(lines(), (std::vector<std::string>{"0,0-10,0", "10,0-10,10", "10,10-0,0", "20,0-30,0", "30,0-30,5",
                                               "30,5-20,5", "20,5-20,0"}));
  EXPECT_NE(transcript().find(L"\nTo point: 10,10\n"), std::wstring::npos) << uv::toUtf8(transcript());
}

TEST_F(ModuleJobTest, AWrongAnswerStopsTheJobNamingTheLine) {
  try {
    runJob(L"uvline\nclick IDC_ADD\n");
    FAIL() << "the job went on";
  } catch (const uv::ScriptError& e) {
    EXPECT_EQ(e.fullMessage(),
              L"job.txt:2: the program asked for a point (\"From point:\") but the script says: click IDC_ADD");
  }
  EXPECT_EQ(acDocManager->resourceStackDepth(), 0);  // the module's push was undone
  EXPECT_EQ(doc->lockCount(), 0);
}

TEST_F(ModuleJobTest, ScriptFunctionsGetTheirCodeAndArguments) {
  resbuf* args = acutBuildList(RTSTR, L"World", 0);
  EXPECT_EQ(uv::invokeFunction(L"UVGREET", args), RTNORM);
  acutRelRb(args);
  EXPECT_NE(transcript().find(L"Hello, World!"), std::wstring::npos);
  EXPECT_EQ(uv::invokeFunction(L"nosuch", nullptr), RTERROR);
  EXPECT_EQ(acedGetFunCode(), -1);
}

TEST_F(ModuleJobTest, ModulesHearOfDrawingsOpenedAndClosed) {
  EXPECT_NE(transcript().find(L"UVLINES ready in site.dxf"), std::wstring::npos);  // open before the module came
  AcApDocument* second = acDocManager->addDocument(nullptr, L"/drawings/second.dxf");
  EXPECT_NE(transcript().find(L"UVLINES ready in second.dxf"), std::wstring::npos);
  ASSERT_EQ(acDocManager->closeDocument(second), Acad::eOk);
  EXPECT_NE(transcript().find(L"UVLINES leaves second.dxf"), std::wstring::npos);
  EXPECT_EQ(curDoc(), doc);
}

TEST_F(ModuleJobTest, UnloadedAndLoadedAgainItWorksAsBefore) {
  auto& loader = uv::ModuleLoader::instance();
  ASSERT_TRUE(loader.unload(L"ed_line_module").ok);
  EXPECT_EQ(acedRegCmds->lookupCmd(L"UVLINE"), nullptr);
  EXPECT_EQ(uv::invokeFunction(L"uvgreet", nullptr), RTERROR);  // its functions went with it
  EXPECT_EQ(uv::CommandRunner::run(L"UVRECT").status, uv::CommandOutcome::Status::kUnknown);

  ASSERT_TRUE(loader.load(path).ok);
  std::vector<std::wstring> names;
  for (const AcEdCommand* c : acedRegCmds->commandsOfGroup(L"UVLINES")) names.emplace_back(c->globalName());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"UVLINE", L"UVRECT"}));
  runJob(L"UVRECT\npoint 0,0\ncorner 1,1\n");
  EXPECT_EQ(lines().size(), 4u);
}

}  // namespace
