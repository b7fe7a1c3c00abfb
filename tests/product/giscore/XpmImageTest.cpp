#include <gtest/gtest.h>

#include <sstream>

#include "product/giscore/XpmImage.h"

namespace {

using uv::giscore::XpmError;
using uv::giscore::XpmImage;

XpmImage parse(const std::string& text) {
  std::istringstream in(text);
  return XpmImage::parse(in, "icon.xpm");
}

TEST(XpmImage, ReadsColoursAndPixels) {
  const XpmImage img = parse(
      "/* XPM */\n"
      "static const char *icon[] = {\n"
      "/* a \"quoted\" comment */\n"
      "\"3 2 3 1\",\n"
      "\". c None\",\n"
      "\"r c #FF0000\",\n"
      "\"b s blue c #00f\",\n"
      "\".rb\",\n"
      "\"bb.\"\n"
      "};\n");
  ASSERT_EQ(3, img.width());
  ASSERT_EQ(2, img.height());
  EXPECT_EQ(0u, img.pixel(0, 0));
  EXPECT_EQ(0xFFFF0000u, img.pixel(1, 0));
  EXPECT_EQ(0xFF0000FFu, img.pixel(2, 0));
  EXPECT_EQ(0xFF0000FFu, img.pixel(0, 1));
  EXPECT_EQ(0u, img.pixel(2, 1));
}

TEST(XpmImage, TwoCharactersPerPixel) {
  const XpmImage img = parse("\"2 1 2 2\",\n\"aa c #010203\",\n\"ab c None\",\n\"abaa\"\n");
  EXPECT_EQ(0u, img.pixel(0, 0));
  EXPECT_EQ(0xFF010203u, img.pixel(1, 0));
}

TEST(XpmImage, FaultsNameTheFileAndLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"no strings at all\n", "icon.xpm: no XPM data"},
      {"\n\"2 x 1 1\",\n", "icon.xpm:2: bad values line \"2 x 1 1\""},
      {"\"0 1 1 1\",\n", "icon.xpm:1: bad values line"},
      {"\"1 1 1 1\",\n\". c None\",\n", "icon.xpm:2: file ends early"},
      {"\"1 1 1 1\",\n\". c red\",\n\".\"", "icon.xpm:2: colour \"red\" not understood"},
      {"\"1 1 1 1\",\n\". m #000000\",\n\".\"", "icon.xpm:2: colour line without a \"c\" colour"},
      {"\"1 1 2 1\",\n\". c None\",\n\". c #000000\",\n\".\"", "icon.xpm:3: pixel code \".\" defined twice"},
      {"\"2 1 1 1\",\n\". c None\",\n\".x\"", "icon.xpm:3: pixel code \"x\" in row 1 has no colour"},
      {"\"2 2 1 1\",\n\". c None\",\n\"..\",\n\".\"", "icon.xpm:4: pixel row 2 has 1 characters, expected 2"},
      {"\"1 1 1 1\",\n\". c None\",\n\".", "icon.xpm:3: string not closed"},
      {"/* open\n\"1 1 1 1\"", "icon.xpm:1: comment not closed"},
  };
  for (const auto& c : cases) {
    try {
      parse(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const XpmError& e) {
      EXPECT_EQ(0u, std::string(e.what()).find(c.message)) << e.what();
    }
  }
}

}  // namespace
