#include "TextFixture.h"

#include <unistd.h>

#include <fstream>

#include "base/TextCase.h"

namespace uvtest {

void TextFilesFixture::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  folder = std::filesystem::temp_directory_path() /
           ("uv_text_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
}

void TextFilesFixture::TearDown() { std::filesystem::remove_all(folder); }

CString TextFilesFixture::writeFile(const std::string& name, const std::string& bytes) {
  const std::filesystem::path path = folder / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return CString(uv::fromUtf8(path.string()));
}

std::vector<std::wstring> toVector(const CStringArray& fields) {
  std::vector<std::wstring> v;
  for (const CString& f : fields) v.push_back(f.str());
  return v;
}

}  // namespace uvtest
