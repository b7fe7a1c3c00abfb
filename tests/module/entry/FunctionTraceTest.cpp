// The trace records, character by character, and when and where they are
// written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "module/entry/CFunctionTrace.h"
#include "tests/product/logging/ScopedEnv.h"

namespace {

namespace fs = std::filesystem;
using uv::test::ScopedEnv;

class FunctionTraceTest : public ::testing::Test {
 protected:
  fs::path folder;
  fs::path logFile;

  void SetUp() override {
    folder = fs::temp_directory_path() / ("uv_trace_test_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    logFile = folder / "vantor.log";
    CFunctionTrace::CloseLog();
  }
  void TearDown() override {
    CFunctionTrace::CloseLog();
    fs::remove_all(folder);
  }
  std::vector<std::string> logLines() const {
    std::ifstream in(logFile);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(FunctionTraceTest, RecordsAreLaidOutColumnByColumn) {
  ScopedEnv logging("KVLX_LOGGING", "0");  // formatting only; nothing is written
  struct Case {
    const char* source;
    int line;
    const char* function;
    const char* expected;
  };
  // (A record of an entry function as cadhost writes it: e2e_uivantor2_commands.)
  const std::vector<Case> cases = {
      // Only the part after the last backslash; a slash is no separator.
      {"C:\\src\\module\\entry\\VantorUIInterface.cpp", 7, "f",
       "VantorUIInterface.cpp           (00007): [f               ], Entering function , f"},
      {"dir/name.cpp", 123456, "CVantorUIInterface::CallConversion",
       "dir/name.cpp                    (123456): [CVantorUIInterface::CallConversion], "
       "Entering function , CVantorUIInterface::CallConversion"},
      {"ends\\", -5, "g", "                                (-00005): [g               ], Entering function , g"},
  };
  for (const Case& c : cases) {
    CFunctionTrace trace(c.source, c.line, c.function, 3);
    EXPECT_EQ(trace.FormatRecord("Entering function ", 9, 5, 0).substr(0, 11), "[09:05:00] ");
    EXPECT_EQ(trace.FormatRecord("Entering function ", 9, 5, 0).substr(11), c.expected) << c.source;
  }
  CFunctionTrace trace("a", 1, "b", 3);
  EXPECT_EQ(trace.FormatRecord("Exiting function ", -1, 0, 0),
            "[-1:-1:-1] a                               (00001): [b               ], Exiting function , b");
}

TEST_F(FunctionTraceTest, AnOverlongPrefixIsCutAt998CharactersAndTheMessageFollowsWhole) {
  ScopedEnv logging("KVLX_LOGGING", "0");
  const std::string function(1200, 'F');
  CFunctionTrace trace("s", 1, function.c_str(), 3);
  const std::string record = trace.FormatRecord("Exiting function ", 1, 2, 3);
  const std::string tail = "Exiting function , " + function;
  ASSERT_EQ(record.size(), 998 + tail.size());
  EXPECT_EQ(record.substr(998), tail);
  EXPECT_EQ(record.substr(0, 58), "[01:02:03] s                               (00001): [FFFFF");
}

// Records are appended to what the file holds, the entry record at once;
// levels above three are not written; a function left by an exception
// still writes its exit record.
TEST_F(FunctionTraceTest, EntryAndExitRecordsAreAppendedToTheLogFile) {
  { std::ofstream(logFile) << "an earlier record\n"; }
  ScopedEnv logging("KVLX_LOGGING", "1");
  ScopedEnv file("KVLX_LOG_FILE", logFile.c_str());
  {
    CFunctionTrace trace("VantorUIInterface", 21, "CVantorUIInterface::CallShowSurface", 3);
    ASSERT_EQ(logLines().size(), 2u) << "the entry record is written (and flushed) at once";
  }
  { CFunctionTrace deep("s", 1, "deep", 4); }
  EXPECT_THROW(
      {
        CFunctionTrace low("s", 3, "thrower", 0);
        throw std::runtime_error("the dialog failed");
      },
      std::runtime_error);
  const std::vector<std::string> lines = logLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "an earlier record");
  // The records' layout: RecordsAreLaidOutColumnByColumn and e2e_uivantor2_commands.
  EXPECT_NE(lines[1].find("Entering function , CVantorUIInterface::CallShowSurface"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("Exiting function , CVantorUIInterface::CallShowSurface"), std::string::npos) << lines[2];
  EXPECT_NE(lines[3].find("Entering function , thrower"), std::string::npos) << lines[3];
  EXPECT_NE(lines[4].find("Exiting function , thrower"), std::string::npos) << lines[4];
}

TEST_F(FunctionTraceTest, LoggingIsAskedForEachRecord) {
  ScopedEnv logging("KVLX_LOGGING", "0");
  ScopedEnv file("KVLX_LOG_FILE", logFile.c_str());
  {
    CFunctionTrace off("s", 1, "off", 3);
    EXPECT_FALSE(fs::exists(logFile)) << "with logging off no file is opened";
    logging.set("1");  // switched on inside the scope: its exit record is written
  }
  std::vector<std::string> lines = logLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("Exiting function , off"), std::string::npos);
  {
    CFunctionTrace on("s", 2, "on", 3);
    logging.set("off");
  }
  lines = logLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[1].find("Entering function , on"), std::string::npos);
}

TEST_F(FunctionTraceTest, AFileThatCannotBeOpenedSendsEveryRecordToStandardOutputUntilClosed) {
  ScopedEnv logging("KVLX_LOGGING", "1");
  ScopedEnv file("KVLX_LOG_FILE", (folder / "no-such-folder" / "x.log").c_str());
  ::testing::internal::CaptureStdout();
  { CFunctionTrace trace("s", 1, "toStdout", 3); }
  // The choice stands even when the file could be opened now.
  file.set(logFile.c_str());
  { CFunctionTrace trace("s", 2, "stillStdout", 3); }
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Entering function , toStdout\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Exiting function , stillStdout\n"), std::string::npos) << out;
  EXPECT_FALSE(fs::exists(logFile));

  // Closing (the module's unload) lets the next record choose again.
  CFunctionTrace::CloseLog();
  { CFunctionTrace trace("s", 3, "toFile", 3); }
  EXPECT_EQ(logLines().size(), 2u);
}

}  // namespace
