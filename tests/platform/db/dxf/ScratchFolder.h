// A folder of its own for a test's files, removed with what it holds when
// the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace uvtest {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path file(const std::string& name) const { return m_path / name; }
  std::wstring wide(const std::string& name) const;

 private:
  std::filesystem::path m_path;
};

std::string readText(const std::filesystem::path& file);
void writeText(const std::filesystem::path& file, const std::string& text);

}  // namespace uvtest
