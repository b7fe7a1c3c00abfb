#include <gtest/gtest.h>

#include "rx/AcEdCommandStack.h"

namespace {

void f1() {}
void f2() {}

class CommandStackTest : public ::testing::Test {
 protected:
  AcEdCommandStack stack;
  void SetUp() override {
    ASSERT_EQ(stack.addCommand(L"GRP", L"POINTS", L"TOCKE", ACRX_CMD_TRANSPARENT, &f1), Acad::eOk);
    ASSERT_EQ(stack.addCommand(L"GRP", L"slojniceoznake", L"slojniceoznake", ACRX_CMD_TRANSPARENT, &f2), Acad::eOk);
    ASSERT_EQ(stack.addCommand(L"OTHER", L"Show", L"Show", ACRX_CMD_MODAL, &f1, nullptr, 7), Acad::eOk);
  }
};

TEST_F(CommandStackTest, LookupIgnoresLetterCase) {
  struct Case {
    const wchar_t* typed;
    const wchar_t* global;  // nullptr: not found
  } cases[] = {
      {L"POINTS", L"POINTS"},
      {L"points", L"POINTS"},
      {L"PoInTs", L"POINTS"},
      {L"tocke", L"POINTS"},          // local name
      {L"_points", L"POINTS"},        // global name asked for explicitly
      {L"_tocke", nullptr},           // "_" never matches a local name
      {L"._POINTS", L"POINTS"},
      {L".tocke", L"POINTS"},
      {L"SLOJNICEOZNAKE", L"slojniceoznake"},
      {L"show", L"Show"},
      {L"SHO", nullptr},              // no abbreviations
      {L"", nullptr},
  };
  for (const auto& c : cases) {
    AcEdCommand* cmd = stack.lookupCmd(c.typed);
    if (!c.global) {
      EXPECT_EQ(cmd, nullptr) << "typed: " << testing::PrintToString(std::wstring(c.typed));
    } else {
      ASSERT_NE(cmd, nullptr) << "typed: " << testing::PrintToString(std::wstring(c.typed));
      EXPECT_STREQ(cmd->globalName(), c.global);
    }
  }
  EXPECT_EQ(stack.lookupCmd(nullptr), nullptr);
  EXPECT_NE(stack.lookupCmd(L"tocke", false), nullptr);
  EXPECT_EQ(stack.lookupCmd(L"tocke", true), nullptr);
}

TEST_F(CommandStackTest, KeepsWhatAddCommandWasGiven) {
  AcEdCommand* show = stack.lookupCmd(L"SHOW");
  ASSERT_NE(show, nullptr);
  EXPECT_STREQ(show->groupName(), L"OTHER");
  EXPECT_EQ(show->functionCode(), 7);
  EXPECT_FALSE(show->isTransparent());
  EXPECT_EQ(show->functionAddr(), &f1);
  EXPECT_EQ(stack.lookupCmd(L"points")->commandFlags(), ACRX_CMD_TRANSPARENT);
  EXPECT_EQ(stack.lookupCmd(L"points")->functionCode(), -1);
}

TEST_F(CommandStackTest, RefusesDuplicateAndInvalidNames) {
  struct Case {
    const wchar_t *group, *global, *local;
    AcRxFunctionPtr fn;
    Acad::ErrorStatus expected;
  } cases[] = {
      {L"GRP", L"POINTS", L"P2", &f1, Acad::eDuplicateKey},      // same group
      {L"NEW", L"points", L"P2", &f1, Acad::eDuplicateKey},      // another group, other case
      {L"NEW", L"TOCKE", L"TOCKE", &f1, Acad::eDuplicateKey},    // someone's local name
      {L"NEW", L"FRESH", L"show", &f1, Acad::eDuplicateKey},     // local name = other global
      {L"NEW", L"", L"X", &f1, Acad::eInvalidInput},
      {L"NEW", L"TWO WORDS", L"X", &f1, Acad::eInvalidInput},
      {L"", L"FRESH", L"FRESH", &f1, Acad::eInvalidInput},
      {L"NEW", L"FRESH", L"FRESH", nullptr, Acad::eInvalidInput},
  };
  for (const auto& c : cases)
    EXPECT_EQ(stack.addCommand(c.group, c.global, c.local, 0, c.fn), c.expected)
        << testing::PrintToString(std::wstring(c.global));
  EXPECT_EQ(stack.commands().size(), 3u);
}

TEST_F(CommandStackTest, IteratesInRegistrationOrder) {
  ASSERT_EQ(stack.addCommand(L"GRP", L"ZZZ", nullptr, 0, &f2), Acad::eOk);
  std::vector<std::wstring> names;
  for (const AcEdCommand* c : stack.commands()) names.emplace_back(c->globalName());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"POINTS", L"slojniceoznake", L"Show", L"ZZZ"}));
  EXPECT_STREQ(stack.lookupCmd(L"zzz")->localName(), L"ZZZ");  // no local name: the global one
  EXPECT_EQ(stack.commandsOfGroup(L"grp").size(), 3u);
}

TEST_F(CommandStackTest, RemovesByGroupAndGlobalName) {
  EXPECT_EQ(stack.removeCmd(L"OTHER", L"POINTS"), Acad::eKeyNotFound);  // wrong group
  EXPECT_EQ(stack.removeCmd(L"GRP", L"TOCKE"), Acad::eKeyNotFound);     // local name
  EXPECT_EQ(stack.removeCmd(L"grp", L"points"), Acad::eOk);
  EXPECT_EQ(stack.lookupCmd(L"POINTS"), nullptr);
  EXPECT_EQ(stack.removeCmd(L"GRP", L"POINTS"), Acad::eKeyNotFound);
  // The name is free again.
  EXPECT_EQ(stack.addCommand(L"NEW", L"POINTS", L"POINTS", 0, &f2), Acad::eOk);

  EXPECT_EQ(stack.removeGroup(L"GRP"), Acad::eOk);
  EXPECT_EQ(stack.removeGroup(L"GRP"), Acad::eKeyNotFound);
  std::vector<std::wstring> left;
  for (const AcEdCommand* c : stack.commands()) left.emplace_back(c->globalName());
  EXPECT_EQ(left, (std::vector<std::wstring>{L"Show", L"POINTS"}));
}

}  // namespace
