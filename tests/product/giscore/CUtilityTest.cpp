#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "product/giscore/CUtility.h"

namespace {

TEST(CUtilityCreateGUID, RegistryFormVersion4) {
  const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
  for (int i = 0; i < 1000; ++i) {
    const std::string guid = CUtility::CreateGUID().toUtf8();
    ASSERT_EQ(38u, guid.size()) << guid;
    ASSERT_TRUE(std::regex_match(guid, form)) << guid;
  }
}

TEST(CUtilityCreateGUID, FreshOnEveryCallWithEveryRandomDigitVarying) {
  std::set<std::string> seen;
  std::vector<std::set<char>> digits(38);
  for (int i = 0; i < 20000; ++i) {
    const std::string guid = CUtility::CreateGUID().toUtf8();
    ASSERT_TRUE(seen.insert(guid).second) << "repeated " << guid;
    for (size_t k = 0; k < guid.size() && k < digits.size(); ++k) digits[k].insert(guid[k]);
  }
  // Braces, dashes and the version digit are fixed; the variant digit takes
  // 4 values; every other position should have taken all 16.
  for (size_t k : {0, 9, 14, 19, 24, 37}) EXPECT_EQ(1u, digits[k].size()) << k;
  EXPECT_EQ(1u, digits[15].size());
  EXPECT_EQ(4u, digits[20].size());
  for (size_t k = 1; k < 37; ++k) {
    if (k == 9 || k == 14 || k == 15 || k == 19 || k == 20 || k == 24) continue;
    EXPECT_EQ(16u, digits[k].size()) << k;
  }
}

}  // namespace
