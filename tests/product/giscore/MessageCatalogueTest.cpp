#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "product/giscore/MessageCatalogue.h"

namespace {

using uv::giscore::MessageCatalogue;

MessageCatalogue parse(const std::string& text) {
  std::istringstream in(text);
  return MessageCatalogue::parse(in, "msgs.txt");
}

std::wstring textOf(const MessageCatalogue& cat, unsigned id) {
  const std::wstring* t = cat.find(id);
  return t ? *t : L"<none>";
}

TEST(MessageCatalogueParse, ReadsTextsAsWritten) {
  struct Case {
    const char* line;
    unsigned id;
    std::wstring text;
  };
  const Case cases[] = {
      {"1\tOK", 1, L"OK"},
      {"2\t\t\tAligned with tabs", 2, L"Aligned with tabs"},
      {"3\t Polylines", 3, L" Polylines"},
      {"4\tFirst\\nSecond\\tTabbed \\\\ back", 4, L"First\nSecond\tTabbed \\ back"},
      {"5\tDelete the surface \"%s\"?", 5, L"Delete the surface \"%s\"?"},
      {"6\tWindows line end\r", 6, L"Windows line end"},
      {"7\tBoja \xC5\xA1uma \xE2\x80\x94 \xD0\xB6", 7, L"Boja \u0161uma \u2014 \u0436"},
      {"4294967295\tLargest id", 4294967295u, L"Largest id"},
      {"0008\tLeading zeros", 8, L"Leading zeros"},
  };
  for (const auto& c : cases) {
    const MessageCatalogue cat = parse(c.line);
    EXPECT_TRUE(cat.problems().empty()) << c.line << ": " << (cat.problems().empty() ? "" : cat.problems()[0]);
    EXPECT_EQ(c.text, textOf(cat, c.id)) << c.line;
  }
}

TEST(MessageCatalogueParse, SkipsCommentsBlankLinesAndByteOrderMark) {
  const MessageCatalogue cat = parse("\xEF\xBB\xBF# heading\n\n   \n  # indented comment\n10\tTen\n#11\tnot a message\n");
  EXPECT_TRUE(cat.problems().empty());
  EXPECT_EQ(std::vector<unsigned>{10}, cat.ids());
  EXPECT_EQ(L"Ten", textOf(cat, 10));
}

TEST(MessageCatalogueParse, BadLinesAreNamedAndTheRestIsKept) {
  struct Case {
    const char* line;
    const char* problem;  // expected after "msgs.txt:2: "
  };
  const Case cases[] = {
      {"12 No tab here", "no tab between the id and the text"},
      {"x12\tText", "\"x12\" is not a message id"},
      {"-3\tText", "\"-3\" is not a message id"},
      {"\tText", "\"\" is not a message id"},
      {"4294967296\tToo big", "\"4294967296\" is not a message id"},
      {"12\t", "message 12 has no text"},
      {"12\t\t\t", "message 12 has no text"},
      {"12\tBad \\q escape", "message 12: unknown escape \\q"},
      {"12\tEnds in \\", "message 12: \\ at the end of the text"},
      {"12\tBroken \xC5 UTF-8", "message 12 is not valid UTF-8"},
      {"12\tOverlong \xC0\xAF", "message 12 is not valid UTF-8"},
      {"12\tSurrogate \xED\xA0\x80", "message 12 is not valid UTF-8"},
  };
  for (const auto& c : cases) {
    const MessageCatalogue cat = parse(std::string("1\tBefore\n") + c.line + "\n3\tAfter\n");
    ASSERT_EQ(1u, cat.problems().size()) << c.line;
    EXPECT_EQ(std::string("msgs.txt:2: ") + c.problem, cat.problems()[0].substr(0, 12 + std::strlen(c.problem)))
        << cat.problems()[0];
    EXPECT_EQ(L"Before", textOf(cat, 1)) << c.line;
    EXPECT_EQ(L"After", textOf(cat, 3)) << c.line;
    EXPECT_EQ(nullptr, cat.find(12)) << c.line;
  }
}

TEST(MessageCatalogueParse, AnIdGivenTwiceKeepsTheFirstText) {
  const MessageCatalogue cat = parse("7\tFirst\n8\tOther\n7\tSecond\n");
  ASSERT_EQ(1u, cat.problems().size());
  EXPECT_EQ("msgs.txt:3: message 7 given again (first on line 1, which stays)", cat.problems()[0]);
  EXPECT_EQ(L"First", textOf(cat, 7));
}

TEST(MessageCatalogueLoad, MissingFileIsOneProblemNamingIt) {
  const MessageCatalogue cat = MessageCatalogue::load("/nonexistent/kvlx/messages.txt");
  EXPECT_EQ(0u, cat.size());
  ASSERT_EQ(1u, cat.problems().size());
  EXPECT_NE(std::string::npos, cat.problems()[0].find("/nonexistent/kvlx/messages.txt")) << cat.problems()[0];
}

TEST(MessageCatalogueMissing, PlaceholderShowsTheId) {
  EXPECT_EQ(L"[message 1234]", uv::giscore::missingMessageText(1234));
  EXPECT_EQ(L"[message 0]", uv::giscore::missingMessageText(0));
}

}  // namespace
