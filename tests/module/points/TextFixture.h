// Helpers of the text reader's and the text page's tests: files written
// into a fresh folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/CString.h"
#include "base/CStringArray.h"

namespace uvtest {

class TextFilesFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the bytes as they are and returns the file's path.
  CString writeFile(const std::string& name, const std::string& bytes);
  std::filesystem::path folder;
};

std::vector<std::wstring> toVector(const CStringArray& fields);

}  // namespace uvtest
