#include <gtest/gtest.h>

#include <set>
#include <string>

#include "product/giscore/CUtility.h"

namespace {

// "{XXXXXXXX-XXXX-4XXX-YXXX-XXXXXXXXXXXX}", X upper-case hex, Y one of 89AB.
bool isRegistryFormV4(const std::string& g) {
  const std::string shape = "{XXXXXXXX-XXXX-4XXX-YXXX-XXXXXXXXXXXX}";
  if (g.size() != shape.size()) return false;
  for (size_t i = 0; i < g.size(); ++i) {
    const char s = shape[i], c = g[i];
    const bool ok = s == 'X' ? std::string("0123456789ABCDEF").find(c) != std::string::npos
                    : s == 'Y' ? std::string("89AB").find(c) != std::string::npos
                               : c == s;
    if (!ok) return false;
  }
  return true;
}

TEST(CUtilityCreateGUID, RegistryFormVersion4) {
  for (int i = 0; i < 1000; ++i) {
    const std::string guid = CUtility::CreateGUID().toUtf8();
    ASSERT_TRUE(isRegistryFormV4(guid)) << guid;
  }
  for (const char* bad : {"{6B29FC40-CA47-1067-B31D-00DD010662DA}", "{6b29fc40-ca47-4067-b31d-00dd010662da}",
                          "6B29FC40-CA47-4067-B31D-00DD010662DA", "{6B29FC40-CA47-4067-C31D-00DD010662DA}"})
    EXPECT_FALSE(isRegistryFormV4(bad)) << bad;
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
