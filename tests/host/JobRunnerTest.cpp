// The job runner in-process, with commands the test registers itself: the
// order of actions, who takes the answers, and how errors name the line.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <QTemporaryDir>
#include <filesystem>
#include <stdexcept>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/adscodes.h"
#include "db/resbuf.h"
#include "ed/AcApDocManager.h"
#include "ed/EdGraphics.h"
#include "ed/EdInput.h"
#include "ed/SystemVariables.h"
#include "host/EntryFunctionCaller.h"
#include "host/HostError.h"
#include "host/HostSession.h"
#include "host/JobRunner.h"
#include "rx/SystemRegistry.h"
#include "user/ScriptedUser.h"

using namespace uv::host;

namespace {

int g_drawn = 0;

// Asks for two points and draws a line, as a module's command would.
void cmdTwoPoints() {
  ads_point a, b;
  if (acedGetPoint(nullptr, L"From: ", a) != RTNORM || acedGetPoint(a, L"To: ", b) != RTNORM) return;
  AcDbBlockTableRecordPointer space(curDoc()->database()->modelSpaceId(), AcDb::kForWrite);
  auto* line = new AcDbLine(AcGePoint3d(a[0], a[1], a[2]), AcGePoint3d(b[0], b[1], b[2]));
  space->appendAcDbEntity(line);
  line->close();
  ++g_drawn;
}

void cmdBroken() { throw std::runtime_error("the engine is missing"); }

void cmdScribble() {
  const ads_point a = {0, 0, 0}, b = {10, 10, 0};
  acedGrDraw(a, b, 1, 0);
}

class JobRunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_drawn = 0;
    acedRegCmds->addCommand(L"HOSTTEST", L"TWOPOINTS", L"TWOPOINTS", ACRX_CMD_MODAL, &cmdTwoPoints);
    acedRegCmds->addCommand(L"HOSTTEST", L"BROKEN", L"BROKEN", ACRX_CMD_MODAL, &cmdBroken);
    acedRegCmds->addCommand(L"HOSTTEST", L"SCRIBBLE", L"SCRIBBLE", ACRX_CMD_MODAL, &cmdScribble);
    m_session.newDrawing();
  }
  void TearDown() override { acedRegCmds->removeGroup(L"HOSTTEST"); }

  // Runs the lines as the job "job.txt" in the scratch folder.
  void run(const std::wstring& text) {
    uv::ScriptedUser user = uv::ScriptedUser::fromText(text, L"job.txt");
    JobRunner(m_session, user, m_dir.path().toStdWString()).run();
  }
  // The error the lines stop with.
  HostError failure(const std::wstring& text) {
    try {
      run(text);
    } catch (const HostError& e) {
      return e;
    }
    ADD_FAILURE() << "the job ran through";
    return HostError(ExitCode::kSuccess, L"");
  }
  size_t entities() const {
    AcDbBlockTableRecordPointer space(curDoc()->database()->modelSpaceId(), AcDb::kForRead);
    return space->entities().size();
  }

  QTemporaryDir m_dir;
  HostSession m_session{320, 240};
};

}  // namespace

TEST_F(JobRunnerTest, CommandsTakeTheirAnswersInOrder) {
  run(L"TWOPOINTS\npoint 0,0\npoint 10,0\n# letter case is ignored\ntwopoints\npoint 0,5\nenter\n"
      L"TwoPoints\npoint 1,1\npoint 2,2,3\n");
  EXPECT_EQ(g_drawn, 2);  // the second run ended at Enter
  EXPECT_EQ(entities(), 2u);
}

TEST_F(JobRunnerTest, ErrorsNameTheLineAndWhatWentWrong) {
  struct Case {
    const wchar_t* job;
    ExitCode code;
    const wchar_t* says;
  };
  const Case cases[] = {
      {L"TWOPOINTS\npoint 0,0\npoint 1,1\npoint 2,2\n", ExitCode::kJobError,
       L"job.txt:4: nothing asked for this answer: point 2,2"},
      {L"click IDOK\n", ExitCode::kJobError, L"job.txt:1: nothing asked for this answer: click IDOK"},
      {L"\nNOSUCH\n", ExitCode::kJobError, L"job.txt:2: unknown command \"NOSUCH\""},
      {L"TWOPOINTS\nstring \"x\"\n", ExitCode::kJobError, L"job.txt:2: the program asked for a point"},
      {L"TWOPOINTS\npoint 0,0\n", ExitCode::kJobError, L"the script ended, but the program asked for a point"},
      {L"BROKEN\n", ExitCode::kJobError, L"job.txt:1: BROKEN failed: the engine is missing"},
      {L"view 0,0 -5\n", ExitCode::kJobError, L"job.txt:1: the view height must be a positive number"},
      {L"open \"none.dxf\"\n", ExitCode::kFileError, L"job.txt:1: "},
      {L"save \"no/such/folder/x.dxf\"\n", ExitCode::kFileError, L"job.txt:1: "},
      {L"render \"x.gif\"\n", ExitCode::kFileError, L"job.txt:1: cannot write x.gif"},
      {L"load \"none.so\"\n", ExitCode::kFileError, L"job.txt:1: cannot load module"},
      {L"unload \"none\"\n", ExitCode::kJobError, L"job.txt:1: no module \"none\" is loaded"},
      {L"call CallShowSurface \"Teren\"\n", ExitCode::kJobError,
       L"job.txt:1: no loaded module exports CVantorUIInterface::CallShowSurface (no module is loaded)"},
      {L"call CallX \"a\" \"b\"\n", ExitCode::kJobError, L"job.txt:1: call takes a function name and at most one text"},
      {L"call 9lives\n", ExitCode::kJobError, L"job.txt:1: \"9lives\" is not a function name"},
  };
  for (const Case& c : cases) {
    const HostError e = failure(c.job);
    EXPECT_EQ(e.code(), c.code) << e.what();
    EXPECT_NE(e.message().find(c.says), std::wstring::npos) << e.what();
  }
}

TEST_F(JobRunnerTest, ViewVerbSetsWhatTheSystemVariablesReport) {
  EXPECT_FALSE(m_session.viewWasSet());
  run(L"SCRIBBLE\nview 12.5,-3 40\n");
  resbuf rb;
  ASSERT_EQ(acedGetVar(L"VIEWCTR", &rb), RTNORM);
  EXPECT_EQ(rb.resval.rpoint[0], 12.5);
  EXPECT_EQ(rb.resval.rpoint[1], -3);
  ASSERT_EQ(acedGetVar(L"VIEWSIZE", &rb), RTNORM);
  EXPECT_EQ(rb.resval.rreal, 40);
  ASSERT_EQ(acedGetVar(L"SCREENSIZE", &rb), RTNORM);
  EXPECT_EQ(rb.resval.rpoint[0], 320);
  EXPECT_TRUE(m_session.viewWasSet());
  // A change of view regenerates: the temporary vectors are gone.
  EXPECT_TRUE(curDoc()->temporaryGraphics().vectors().empty());
}

TEST_F(JobRunnerTest, ReadsFromTheScriptFolderAndWritesToTheCurrentOne) {
  run(L"TWOPOINTS\npoint 0,0\npoint 10,0\nsave \"" + m_dir.filePath("first.dxf").toStdWString() + L"\"\n");
  // A relative name to open is found beside the script; the drawing replaces
  // the document's and is zoomed to its extents.
  run(L"open \"first.dxf\"\n");
  EXPECT_EQ(entities(), 1u);
  EXPECT_FALSE(m_session.viewWasSet());
  EXPECT_NEAR(curDoc()->view().centre().x, 5, 1e-9);
  // Relative names to write land in the current folder.
  const std::filesystem::path previous = std::filesystem::current_path();
  QTemporaryDir here;
  std::filesystem::current_path(here.path().toStdString());
  try {
    run(L"save \"second.dxf\"\nrender \"second.png\"\n");
  } catch (...) {
    std::filesystem::current_path(previous);
    throw;
  }
  std::filesystem::current_path(previous);
  EXPECT_TRUE(std::filesystem::exists(here.filePath("second.dxf").toStdString()));
  EXPECT_TRUE(std::filesystem::exists(here.filePath("second.png").toStdString()));
  EXPECT_FALSE(std::filesystem::exists(m_dir.filePath("second.dxf").toStdString()));
}

// The names the caller looks for are the ones g++ gives such functions.
class CVantorUIInterface {
 public:
  static void CallLoadPoints(const wchar_t*);
  static void CallConversion();
};
void CVantorUIInterface::CallLoadPoints(const wchar_t*) {}
void CVantorUIInterface::CallConversion() {}

TEST(EntryFunctionCaller, MangledNamesAreThoseOfTheCompiler) {
  EXPECT_EQ(EntryFunctionCaller::mangledName("CallLoadPoints", true), "_ZN18CVantorUIInterface14CallLoadPointsEPKw");
  void* withText = dlsym(RTLD_DEFAULT, EntryFunctionCaller::mangledName("CallLoadPoints", true).c_str());
  void* plain = dlsym(RTLD_DEFAULT, EntryFunctionCaller::mangledName("CallConversion", false).c_str());
  EXPECT_EQ(withText, reinterpret_cast<void*>(&CVantorUIInterface::CallLoadPoints));
  EXPECT_EQ(plain, reinterpret_cast<void*>(&CVantorUIInterface::CallConversion));
}
