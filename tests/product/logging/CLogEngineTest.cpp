#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "product/logging/CLogEngine.h"
#include "tests/product/logging/ScopedEnv.h"

namespace {

namespace fs = std::filesystem;
using uv::test::ScopedEnv;

fs::path scratchRoot() { return fs::temp_directory_path() / ("kvlx-logging-" + std::to_string(::getpid())); }

fs::path freshFolder(const std::string& name) {
  const fs::path dir = scratchRoot() / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(CLogEngineSwitch, ReadsEveryAcceptedSpelling) {
  struct Case {
    const char* value;  // nullptr: variable unset
    int expected;
  };
  const Case cases[] = {
      {nullptr, 0}, {"", 0},     {"0", 0},     {"off", 0},  {"OFF", 0},   {"no", 0},   {"false", 0},
      {"1", 1},     {"on", 1},   {" On ", 1},  {"YES", 1},  {"true", 1},  {"on\n", 1},
  };
  ScopedEnv sw("KVLX_LOGGING", nullptr);
  for (const auto& c : cases) {
    sw.set(c.value);
    EXPECT_EQ(c.expected, CLogEngine::GetLoggingOnOff()) << (c.value ? c.value : "(unset)");
  }
}

TEST(CLogEngineSwitch, UnknownValueStaysOffAndIsToldOnce) {
  ScopedEnv sw("KVLX_LOGGING", "maybe");
  testing::internal::CaptureStderr();
  EXPECT_EQ(0, CLogEngine::GetLoggingOnOff());
  EXPECT_EQ(0, CLogEngine::GetLoggingOnOff());
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find("KVLX_LOGGING")) << err;
  EXPECT_NE(std::string::npos, err.find("\"maybe\"")) << err;
  EXPECT_EQ(err.find("maybe"), err.rfind("maybe")) << "told more than once: " << err;
}

TEST(CLogEngineSwitch, ChangesBetweenCallsAreSeenAtOnce) {
  ScopedEnv sw("KVLX_LOGGING", "1");
  EXPECT_NE(0, CLogEngine::GetLoggingOnOff());
  sw.set("0");
  EXPECT_EQ(0, CLogEngine::GetLoggingOnOff());
  sw.set("on");
  EXPECT_NE(0, CLogEngine::GetLoggingOnOff());
  sw.set(nullptr);
  EXPECT_EQ(0, CLogEngine::GetLoggingOnOff());
}

class CLogEngineFile : public testing::Test {
 protected:
  void TearDown() override { fs::remove_all(scratchRoot()); }
};

TEST_F(CLogEngineFile, GivenPathIsReturnedFullAndChangesAreSeen) {
  const fs::path dir = freshFolder("given");
  ScopedEnv file("KVLX_LOG_FILE", (dir / "a.log").c_str());
  EXPECT_EQ((dir / "a.log").string(), CLogEngine::GetLogFileFullPath());
  file.set((dir / "b.log").c_str());
  EXPECT_EQ((dir / "b.log").string(), CLogEngine::GetLogFileFullPath());
}

TEST_F(CLogEngineFile, RelativePathIsMadeFullFromTheCurrentFolder) {
  const fs::path dir = freshFolder("relative");
  const fs::path before = fs::current_path();
  fs::current_path(dir);
  ScopedEnv file("KVLX_LOG_FILE", "logs/../trace.log");
  const std::string got = CLogEngine::GetLogFileFullPath();
  fs::current_path(before);
  EXPECT_EQ((dir / "trace.log").string(), got);
  EXPECT_FALSE(fs::exists(dir / "logs")) << "a folder of a given path must not be created";
}

TEST_F(CLogEngineFile, DefaultFollowsXdgStateHomeThenHomeAndMakesItsFolder) {
  const fs::path state = freshFolder("state");
  const fs::path home = freshFolder("home");
  ScopedEnv file("KVLX_LOG_FILE", nullptr);
  ScopedEnv homeVar("HOME", home.c_str());
  ScopedEnv xdg("XDG_STATE_HOME", state.c_str());

  EXPECT_EQ((state / "kvlx" / "vantor.log").string(), CLogEngine::GetLogFileFullPath());
  EXPECT_TRUE(fs::is_directory(state / "kvlx"));

  xdg.set("relative/state");  // not absolute: ignored, as the XDG rules say
  EXPECT_EQ((home / ".local/state/kvlx/vantor.log").string(), CLogEngine::GetLogFileFullPath());
  EXPECT_TRUE(fs::is_directory(home / ".local/state/kvlx"));

  xdg.set(nullptr);
  EXPECT_EQ((home / ".local/state/kvlx/vantor.log").string(), CLogEngine::GetLogFileFullPath());

  homeVar.set(nullptr);
  EXPECT_EQ("", CLogEngine::GetLogFileFullPath());
}

TEST_F(CLogEngineFile, EmptyGivenPathFallsBackToTheDefault) {
  const fs::path state = freshFolder("empty-given");
  ScopedEnv xdg("XDG_STATE_HOME", state.c_str());
  ScopedEnv file("KVLX_LOG_FILE", "");
  EXPECT_EQ((state / "kvlx" / "vantor.log").string(), CLogEngine::GetLogFileFullPath());
}

}  // namespace
