#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "product/giscore/CModuleConfiguration.h"
#include "product/giscore/Icon.h"
#include "tests/product/logging/ScopedEnv.h"

namespace {

namespace fs = std::filesystem;
using uv::test::ScopedEnv;

const fs::path kShippedData = fs::path(UV_SOURCE_DIR) / "product/giscore/data";

fs::path scratchRoot() { return fs::temp_directory_path() / ("kvlx-giscore-" + std::to_string(::getpid())); }

fs::path freshFolder(const std::string& name) {
  const fs::path dir = scratchRoot() / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void writeFile(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

// Each test starts from the shipped data: no folder overrides.
class ModuleConfiguration : public testing::Test {
 protected:
  void TearDown() override { fs::remove_all(scratchRoot()); }

  ScopedEnv m_data{"KVLX_DATA_DIR", kShippedData.c_str()};
  ScopedEnv m_symbols{"KVLX_SYMBOL_DIR", nullptr};
};

TEST_F(ModuleConfiguration, MessagesComeFromTheShippedCatalogue) {
  EXPECT_EQ(CString(L"Delete the surface \"%s\" from the drawing?"), CModuleConfiguration::GetMsg(5017));
  EXPECT_EQ(CString(L"OK"), CModuleConfiguration::GetMsg(60));
}

TEST_F(ModuleConfiguration, DefaultDataFolderServesWithoutOverride) {
  m_data.set(nullptr);
  EXPECT_EQ(CString(L"Cancel"), CModuleConfiguration::GetMsg(67));
  EXPECT_EQ(fs::path(CModuleConfiguration::GetPath(L"Data").toUtf8()) / "symbols/",
            fs::path(CModuleConfiguration::GetPath(L"Symbol").toUtf8()));
}

TEST_F(ModuleConfiguration, UnknownIdGivesAVisiblePlaceholder) {
  EXPECT_EQ(CString(L"[message 1234]"), CModuleConfiguration::GetMsg(1234));
  EXPECT_EQ(CString(L"[message 4294967295]"), CModuleConfiguration::GetMsg(4294967295u));
}

TEST_F(ModuleConfiguration, AnotherDataFolderIsSeenAtOnceAndProblemsAreTold) {
  const fs::path dir = freshFolder("other-data");
  writeFile(dir / "messages.txt", "60\tAccept\nbroken line\n9001\tOnly here\n");

  m_data.set(dir.c_str());
  testing::internal::CaptureStderr();
  EXPECT_EQ(CString(L"Accept"), CModuleConfiguration::GetMsg(60));
  EXPECT_EQ(CString(L"Only here"), CModuleConfiguration::GetMsg(9001));
  EXPECT_EQ(CString(L"[message 67]"), CModuleConfiguration::GetMsg(67));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find((dir / "messages.txt").string() + ":2: no tab")) << err;
  EXPECT_EQ(err.find("no tab"), err.rfind("no tab")) << "told more than once: " << err;

  m_data.set(kShippedData.c_str());
  EXPECT_EQ(CString(L"OK"), CModuleConfiguration::GetMsg(60));
}

TEST_F(ModuleConfiguration, MissingCatalogueGivesPlaceholdersAndNamesTheFile) {
  const fs::path dir = freshFolder("no-catalogue");
  m_data.set(dir.c_str());
  testing::internal::CaptureStderr();
  EXPECT_EQ(CString(L"[message 60]"), CModuleConfiguration::GetMsg(60));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find((dir / "messages.txt").string())) << err;
}

TEST_F(ModuleConfiguration, SymbolFolderHoldsTheMarkerDrawing) {
  const CString folder = CModuleConfiguration::GetPath(L"Symbol");
  ASSERT_FALSE(folder.IsEmpty());
  EXPECT_EQ(L'/', folder[folder.GetLength() - 1]);
  EXPECT_TRUE(fs::path(folder.toUtf8()).is_absolute());
  EXPECT_TRUE(fs::is_regular_file(folder.toUtf8() + "KVX_ELEV.dxf")) << folder.toUtf8();
  EXPECT_EQ(folder, CModuleConfiguration::GetPath(L"symbol"));
  EXPECT_EQ(folder, CModuleConfiguration::GetPath(L"SYMBOL"));
}

TEST_F(ModuleConfiguration, SymbolFolderFollowsTheEnvironment) {
  const fs::path dir = freshFolder("symbols");
  struct Case {
    std::string value;
    std::string expected;
  };
  const Case cases[] = {
      {dir.string(), dir.string() + "/"},
      {dir.string() + "/", dir.string() + "/"},
      {dir.string() + "//", dir.string() + "/"},
      {"/", "/"},
  };
  for (const auto& c : cases) {
    m_symbols.set(c.value.c_str());
    EXPECT_EQ(c.expected, CModuleConfiguration::GetPath(L"Symbol").toUtf8()) << c.value;
  }

  const fs::path before = fs::current_path();
  fs::current_path(dir);
  m_symbols.set("marks");
  const std::string relative = CModuleConfiguration::GetPath(L"Symbol").toUtf8();
  fs::current_path(before);
  EXPECT_EQ((dir / "marks").string() + "/", relative);

  m_symbols.set(nullptr);
  m_data.set(dir.c_str());
  EXPECT_EQ((dir / "symbols").string() + "/", CModuleConfiguration::GetPath(L"Symbol").toUtf8());
}

TEST_F(ModuleConfiguration, UnknownPathKeyIsEmpty) {
  EXPECT_TRUE(CModuleConfiguration::GetPath(L"Symbols").IsEmpty());
  EXPECT_TRUE(CModuleConfiguration::GetPath(L"").IsEmpty());
  EXPECT_TRUE(CModuleConfiguration::GetPath(nullptr).IsEmpty());
}

TEST_F(ModuleConfiguration, ShippedIconsLoadOnceWithTheirPixels) {
  for (const wchar_t* name : {L"IDI_FILEIMPORT1", L"IDI_FILEIMPORTADD"}) {
    const HICON icon = CModuleConfiguration::GetIcon(name);
    ASSERT_NE(nullptr, icon) << CString(name).toUtf8();
    EXPECT_EQ(icon, CModuleConfiguration::GetIcon(name));
    const uv::giscore::Icon* image = CModuleConfiguration::GetIconImage(icon);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(name, image->name);
    EXPECT_EQ(20, image->image.width());
    EXPECT_EQ(20, image->image.height());
    const auto& px = image->image.pixels();
    EXPECT_TRUE(std::any_of(px.begin(), px.end(), [](auto p) { return (p >> 24) == 0; })) << "no transparent pixel";
    EXPECT_TRUE(std::any_of(px.begin(), px.end(), [](auto p) { return (p >> 24) == 0xFF; })) << "no opaque pixel";
  }
  EXPECT_NE(CModuleConfiguration::GetIcon(L"IDI_FILEIMPORT1"), CModuleConfiguration::GetIcon(L"IDI_FILEIMPORTADD"));
}

TEST_F(ModuleConfiguration, BadIconRequestsGiveNoHandle) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(nullptr, CModuleConfiguration::GetIcon(L"IDI_NO_SUCH_ICON"));
  EXPECT_EQ(nullptr, CModuleConfiguration::GetIcon(L"../symbols/KVX_ELEV"));
  EXPECT_EQ(nullptr, CModuleConfiguration::GetIcon(L""));
  EXPECT_EQ(nullptr, CModuleConfiguration::GetIcon(nullptr));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find("IDI_NO_SUCH_ICON.xpm")) << err;
  EXPECT_NE(std::string::npos, err.find("\"../symbols/KVX_ELEV\" is not an icon name")) << err;

  int notAnIcon = 0;
  EXPECT_EQ(nullptr, CModuleConfiguration::GetIconImage(reinterpret_cast<HICON>(&notAnIcon)));
  EXPECT_EQ(nullptr, CModuleConfiguration::GetIconImage(nullptr));
}

TEST_F(ModuleConfiguration, MalformedIconIsToldWithFileAndLine) {
  const fs::path dir = freshFolder("bad-icon");
  writeFile(dir / "icons/IDI_BROKEN.xpm", "/* XPM */\nstatic const char *x[] = {\n\"2 1 1 1\",\n\". c None\",\n\"...\"};\n");
  m_data.set(dir.c_str());
  testing::internal::CaptureStderr();
  EXPECT_EQ(nullptr, CModuleConfiguration::GetIcon(L"IDI_BROKEN"));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find("IDI_BROKEN.xpm:5: pixel row 1 has 3 characters")) << err;
}

}  // namespace
