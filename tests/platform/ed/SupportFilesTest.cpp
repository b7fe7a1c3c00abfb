#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/TextCase.h"
#include "ed/FileFinder.h"
#include "ed/LinetypeLibrary.h"

namespace {

namespace fs = std::filesystem;
using uv::FileFinder;

class FileFinderTest : public ::testing::Test {
 protected:
  fs::path root;
  fs::path oldCwd;
  void SetUp() override {
    root = fs::temp_directory_path() / ("uv_findfile_" + std::to_string(::getpid()));
    for (const char* d : {"drawing", "cwd", "support1", "support2"}) fs::create_directories(root / d);
    touch("drawing/only_drawing.txt");
    touch("cwd/only_cwd.txt");
    touch("cwd/both.txt");
    touch("drawing/both.txt");
    touch("support2/marker.dxf");
    touch("support1/plan.dwg");  // no twin: the host cannot read it
    touch("support1/lib.txt");
    oldCwd = fs::current_path();
    fs::current_path(root / "cwd");
    setenv("UV_SUPPORT_PATH", ((root / "support1").string() + ":" + (root / "support2").string()).c_str(), 1);
  }
  void TearDown() override {
    fs::current_path(oldCwd);
    unsetenv("UV_SUPPORT_PATH");
    fs::remove_all(root);
  }
  void touch(const char* rel) { std::ofstream(root / rel) << "x"; }
  std::wstring at(const char* rel) { return uv::fromUtf8((root / rel).string()); }
  std::optional<std::wstring> find(const wchar_t* name) { return FileFinder::find(name, at("drawing")); }
};

TEST_F(FileFinderTest, SearchesDrawingCurrentThenSupportFolders) {
  EXPECT_EQ(find(L"only_drawing.txt"), at("drawing/only_drawing.txt"));
  EXPECT_EQ(find(L"only_cwd.txt"), at("cwd/only_cwd.txt"));
  EXPECT_EQ(find(L"both.txt"), at("drawing/both.txt"));  // the drawing's folder comes first
  EXPECT_EQ(find(L"lib.txt"), at("support1/lib.txt"));
  EXPECT_EQ(find(L"marker.DWG"), at("support2/marker.dxf"));  // the .dxf twin
  EXPECT_EQ(find(L"plan.dwg"), std::nullopt);
  EXPECT_EQ(find(L"nowhere.txt"), std::nullopt);
  EXPECT_EQ(find(L""), std::nullopt);
  // Without a drawing folder (an unsaved drawing) the rest still counts.
  EXPECT_EQ(FileFinder::find(L"both.txt", L""), at("cwd/both.txt"));
}

TEST_F(FileFinderTest, ANameWithAFolderIsTakenAsItIs) {
  std::wstring support2 = at("support2");
  EXPECT_EQ(find((support2 + L"/marker.dwg").c_str()), at("support2/marker.dxf"));
  EXPECT_EQ(find((support2 + L"\\marker.dxf").c_str()), at("support2/marker.dxf"));
  EXPECT_EQ(find((support2 + L"/lib.txt").c_str()), std::nullopt);  // not searched elsewhere
  EXPECT_EQ(find(L"../support1/lib.txt"), at("support1/lib.txt"));   // relative to the current folder
}

TEST(LinetypeLibrary, TheStandardFileHasEveryFamilyInThreeSizes) {
  const auto& lib = uv::LinetypeLibrary::standard();
  for (const wchar_t* family : {L"DASHED", L"HIDDEN", L"CENTER", L"DOT", L"DASHDOT", L"BORDER", L"DIVIDE", L"PHANTOM"}) {
    const auto* normal = lib.find(family);
    const auto* half = lib.find(std::wstring(family) + L"2");
    const auto* twice = lib.find(std::wstring(family) + L"X2");
    ASSERT_TRUE(normal && half && twice) << uv::toUtf8(family);
    EXPECT_LT(half->patternLength(), normal->patternLength()) << uv::toUtf8(family);
    EXPECT_DOUBLE_EQ(twice->patternLength(), normal->patternLength() * 2) << uv::toUtf8(family);
    EXPECT_EQ(half->dashes.size(), normal->dashes.size());
  }
  EXPECT_EQ(lib.definitions().size(), 24u);
  ASSERT_NE(lib.find(L"dashed"), nullptr);
  EXPECT_EQ(lib.find(L"dashed")->dashes, (std::vector<double>{0.5, -0.25}));
}

TEST(LinetypeLibrary, BadEntriesNameFileAndLine) {
  struct Case {
    const wchar_t* text;
    const char* message;
  } cases[] = {
      {L"*A,x\nA,.5,-.25\n*A,y\nA,1\n", "my.lin:3: linetype A is defined twice"},
      {L"A,.5\n", "my.lin:1: a pattern line without a *NAME line"},
      {L";; c\n*B,x\n*C,y\nA,1\n", "my.lin:3: linetype B has no pattern line"},
      {L"*B,x\nA,.5,oops\n", "my.lin:2: \"oops\" is not a dash length"},
      {L"*B,x\nA,.5,-.2,[\"T\",STANDARD],-.2\n", "my.lin:2: complex linetypes"},
      {L"*B,x\nB,.5\n", "my.lin:2: a pattern line starts with \"A,\""},
      {L"*B,x\n", "my.lin:1: linetype B has no pattern line"},
  };
  for (const auto& c : cases) {
    try {
      uv::LinetypeLibrary::parse(c.text, L"my.lin");
      ADD_FAILURE() << c.message;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
