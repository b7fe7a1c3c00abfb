// The reader's pairs: every way a code line may be written reads as the
// same code (or the same refusal), wherever the end of what the reader holds
// falls.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "PipeStream.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/GroupReader.h"

namespace {

struct Pair {
  int code;
  std::string value;
  int line;
  friend bool operator==(const Pair&, const Pair&) = default;
};

std::vector<Pair> readAll(std::istream& in) {
  uv::dxf::GroupReader reader(in);
  std::vector<Pair> out;
  uv::dxf::Group g;
  while (reader.next(g)) out.push_back({g.code, std::string(g.value()), g.line});
  return out;
}

}  // namespace

TEST(GroupReader, CodeLinesReadAsTheirNumberHoweverWritten) {
  struct Case {
    const char* line;
    int code;
  };
  const Case cases[] = {{"0", 0},      {"  0", 0},   {" 10", 10},    {"1071", 1071}, {"-5", -5},
                        {"  -5", -5},  {"  8 ", 8},  {"\t8", 8},     {" 8\t", 8},    {"0008", 8},
                        {"01000", 1000}, {"999", 999}, {"00000010", 10}};
  for (const Case& c : cases) {
    for (const char* eol : {"\n", "\r\n"}) {
      SCOPED_TRACE(std::string("'") + c.line + "' " + (eol[0] == '\r' ? "CR LF" : "LF"));
      // Second in the file (the first line is looked at for other things).
      std::istringstream in(std::string("  0") + eol + "SECTION" + eol + c.line + eol + "value" + eol);
      const std::vector<Pair> got = readAll(in);
      ASSERT_EQ(got.size(), 2u);
      EXPECT_EQ(got[1], (Pair{c.code, "value", 3}));
    }
  }
}

TEST(GroupReader, CodeLinesOutOfRangeOrNotNumbersAreRefusedNamingTheirLine) {
  for (const char* line : {"1072", "9999", "10000", "-11", "", "   ", "+8", "8x", "-", "8 8", "1 0"}) {
    SCOPED_TRACE(std::string("'") + line + "'");
    std::istringstream in(std::string("  0\nSECTION\n") + line + "\nvalue\n");
    try {
      readAll(in);
      ADD_FAILURE() << "accepted";
    } catch (const uv::dxf::DxfError& e) {
      EXPECT_EQ(e.line(), 3);
      EXPECT_NE(std::string(e.what()).find("expected a group code"), std::string::npos) << e.what();
    }
  }
}

// A pipe hands the text over in pieces: lines cut anywhere by the end of a
// piece read as they do from the whole text.
TEST(GroupReader, PairsCutByTheEndOfAPieceReadAsFromTheWholeText) {
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    text += i % 3 == 0 ? "  0\r\n3DFACE\r\n" : "  8\nTeren\n";
    text += " 10\n" + std::to_string(i * 1.25) + "\n1001\nKVL_INDEX\n1070\n" + std::to_string(i % 700) + "\n";
    text += std::string(size_t(i % 5), ' ') + "62\n" + std::to_string(i % 256) + "\n";
  }
  std::istringstream whole(text);
  const std::vector<Pair> expected = readAll(whole);
  ASSERT_EQ(expected.size(), 3000u * 5);
  uvtest::PipeBuffer pipe(text);
  std::istream piecewise(&pipe);
  EXPECT_EQ(readAll(piecewise), expected);
}
