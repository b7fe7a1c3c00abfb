#include <gtest/gtest.h>

#include <stdexcept>

#include "base/TextCase.h"
#include "db/resbuf.h"
#include "ed/CommandRunner.h"
#include "rx/AdsFunctions.h"
#include "rx/SystemRegistry.h"
#include "user/ScriptError.h"
#include "EditorFixture.h"

namespace {

using uv::CommandOutcome;
using uv::CommandRunner;

// What the test commands saw while they ran.
struct Seen {
  int lockCount = -1;
  HINSTANCE resources = nullptr;
  resbuf* args = nullptr;
  CommandOutcome inner;
} g_seen;

HINSTANCE kModule = reinterpret_cast<HINSTANCE>(std::uintptr_t(0x7000));

void look() {
  g_seen.lockCount = curDoc()->lockCount();
  g_seen.resources = acDocManager->currentResourceHandle();
  g_seen.args = acedGetArgs();
}
void forgetsToPop() { acDocManager->pushResourceHandle(kModule); }
void popsTooMuch() {
  acDocManager->popResourceHandle();
  acDocManager->popResourceHandle();
}
void fails() { throw std::runtime_error("no surface"); }
void asksWrongly() { throw uv::ScriptError(uv::ScriptLocation{L"job.txt", 3, {}}, L"wrong answer"); }
void nestsModal() { g_seen.inner = CommandRunner::run(L"UvLook"); }
void nestsTransparent() { g_seen.inner = CommandRunner::run(L"UvClear"); }
void clear() { g_seen = Seen(); }

class CommandRunnerTest : public uvtest::EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    auto* stack = acedRegCmds;
    stack->addCommand(L"UVRUN", L"UvLook", L"UvLook", ACRX_CMD_MODAL, &look, nullptr, -1, kModule);
    stack->addCommand(L"UVRUN", L"UvLookT", L"UvLookT", ACRX_CMD_TRANSPARENT, &look);
    stack->addCommand(L"UVRUN", L"UvForget", L"UvForget", ACRX_CMD_TRANSPARENT, &forgetsToPop);
    stack->addCommand(L"UVRUN", L"UvPop", L"UvPop", ACRX_CMD_TRANSPARENT, &popsTooMuch);
    stack->addCommand(L"UVRUN", L"UvFail", L"UvFail", ACRX_CMD_MODAL, &fails);
    stack->addCommand(L"UVRUN", L"UvScript", L"UvScript", ACRX_CMD_MODAL, &asksWrongly);
    stack->addCommand(L"UVRUN", L"UvNestModal", L"UvNestModal", ACRX_CMD_MODAL, &nestsModal);
    stack->addCommand(L"UVRUN", L"UvNestTransparent", L"UvNestTransparent", ACRX_CMD_MODAL, &nestsTransparent);
    stack->addCommand(L"UVRUN", L"UvClear", L"UvClear", ACRX_CMD_TRANSPARENT, &clear);
    g_seen = Seen();
  }
  void TearDown() override {
    acedRegCmds->removeGroup(L"UVRUN");
    EXPECT_EQ(acDocManager->resourceStackDepth(), 0);
    EditorFixture::TearDown();
  }
};

TEST_F(CommandRunnerTest, RunsByNameInAnyCaseWithItsResourcesAndLock) {
  for (const wchar_t* typed : {L"UVLOOK", L"uvlook", L"_UvLook"}) {
    g_seen = Seen();
    CommandOutcome r = CommandRunner::run(typed);
    EXPECT_TRUE(r.ok()) << uv::toUtf8(r.message);
    EXPECT_EQ(g_seen.lockCount, 1);  // a modal command runs with the document locked
    EXPECT_EQ(g_seen.resources, kModule);
  }
  EXPECT_EQ(doc->lockCount(), 0);
  EXPECT_EQ(acDocManager->resourceStackDepth(), 0);
  CommandRunner::run(L"uvlookt");
  EXPECT_EQ(g_seen.lockCount, 0);  // a transparent one does not
  EXPECT_NE(transcript().find(L"Command: uvlook\n"), std::wstring::npos);
}

TEST_F(CommandRunnerTest, UnknownCommandsAndNesting) {
  CommandOutcome r = CommandRunner::run(L"NOSUCH");
  EXPECT_EQ(r.status, CommandOutcome::Status::kUnknown);
  EXPECT_EQ(r.message, L"Unknown command \"NOSUCH\".");
  EXPECT_NE(transcript().find(L"Unknown command \"NOSUCH\"."), std::wstring::npos);

  EXPECT_TRUE(CommandRunner::run(L"UvNestModal").ok());
  EXPECT_EQ(g_seen.inner.status, CommandOutcome::Status::kNotTransparent);
  EXPECT_EQ(g_seen.inner.message, L"UvLook cannot run while UvNestModal runs.");
  EXPECT_TRUE(CommandRunner::run(L"UvNestTransparent").ok());
  EXPECT_EQ(g_seen.inner.status, CommandOutcome::Status::kDone);
  EXPECT_EQ(CommandRunner::active(), nullptr);
}

TEST_F(CommandRunnerTest, AnUnbalancedOrFailingCommandLeavesTheEditorAsItFoundIt) {
  acDocManager->pushResourceHandle(reinterpret_cast<HINSTANCE>(std::uintptr_t(0x10)));
  CommandOutcome r = CommandRunner::run(L"UvForget");
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.resourcesUnbalanced);
  EXPECT_EQ(r.message, L"UvForget left the resource handle stack unbalanced.");
  EXPECT_EQ(acDocManager->resourceStackDepth(), 1);
  r = CommandRunner::run(L"UvPop");
  EXPECT_TRUE(r.resourcesUnbalanced);
  EXPECT_EQ(acDocManager->currentResourceHandle(), reinterpret_cast<HINSTANCE>(std::uintptr_t(0x10)));
  acDocManager->popResourceHandle();

  r = CommandRunner::run(L"UvFail");
  EXPECT_EQ(r.status, CommandOutcome::Status::kFailed);
  EXPECT_EQ(r.message, L"UvFail failed: no surface");
  EXPECT_EQ(doc->lockCount(), 0);
  EXPECT_EQ(acDocManager->resourceStackDepth(), 0);

  // A script that does not fit stops the job: the error goes through.
  EXPECT_THROW(CommandRunner::run(L"UvScript"), uv::ScriptError);
  EXPECT_EQ(doc->lockCount(), 0);
  EXPECT_EQ(CommandRunner::active(), nullptr);
}

TEST_F(CommandRunnerTest, ArgumentsReachTheCommand) {
  resbuf* args = acutBuildList(RTSTR, L"Teren", 0);
  CommandRunner::run(L"UvLookT", args);
  EXPECT_EQ(g_seen.args, args);
  acutRelRb(args);
  CommandRunner::run(L"UvLookT");
  EXPECT_EQ(g_seen.args, nullptr);
  EXPECT_EQ(acedGetArgs(), nullptr);
}

}  // namespace
