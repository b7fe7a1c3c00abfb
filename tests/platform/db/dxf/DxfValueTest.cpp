// The small value codecs: reals, texts, object coordinates.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/DxfRecord.h"
#include "db/dxf/GroupWriter.h"
#include "db/dxf/Ocs.h"
#include "db/dxf/TextCodec.h"

TEST(DxfValues, RealsReadBackExactly) {
  for (double v : {0.0, -0.0, 1.0, -2.0, 0.1, 1.0 / 3.0, 1e-20, 123456789.123456789, 6.02214076e23, -1e300,
                   std::numeric_limits<double>::denorm_min(), std::nextafter(1.0, 2.0)}) {
    const std::string text = uv::dxf::GroupWriter::formatReal(v);
    EXPECT_NE(text.find_first_of(".e"), std::string::npos) << text;
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, v) << text;
  }
  EXPECT_EQ(uv::dxf::GroupWriter::formatReal(2.0), "2.0");
  EXPECT_EQ(uv::dxf::GroupWriter::formatReal(0.5), "0.5");
}

// The value the writer gives an angle of `radians`, as the text of its group.
std::string degreesText(double radians) {
  std::ostringstream out;
  {
    uv::dxf::GroupWriter w(out);
    w.degrees(50, radians);
  }
  const std::string text = out.str();
  return text.substr(text.find('\n') + 1, text.size() - text.find('\n') - 2);
}

TEST(DxfValues, AnglesComeBackAsTheFileWroteThemAndReadBackToTheSameRadians) {
  // Degrees as files give them (up to 15 digits): read (times the degree),
  // then written, the same text comes back.
  for (double d : {30.0, 45.5, 90.0, 0.001, 359.99, -12.75, 123.456789012345, 1e-10, 270.000000000001}) {
    const double radians = d * uv::dxf::kDegree;
    EXPECT_EQ(degreesText(radians), uv::dxf::GroupWriter::formatReal(d)) << d;
  }
  // Radians no file gave (computed ones, their neighbours): what is written
  // reads back to them exactly.
  for (double r : {1.0, std::numbers::pi / 7, std::nextafter(30 * uv::dxf::kDegree, 1.0), 1e-300, -2.5,
                   7.0 / 3.0 * uv::dxf::kDegree}) {
    const std::string text = degreesText(r);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back * uv::dxf::kDegree, r) << text;
  }
  EXPECT_THROW(degreesText(std::nan("")), uv::dxf::DxfError);
}

TEST(DxfValues, TextsDecodeByVersion) {
  struct Case {
    bool utf8;
    std::string raw;
    std::wstring text;
  };
  const Case cases[] = {
      {true, "plain", L"plain"},
      {true, "Ter\xc3\xa9n \xe2\x80\x93 sever", L"Terén – sever"},
      {true, "\\U+0160koda", L"Škoda"},
      {true, "tab\\U+0009here", L"tab\there"},
      {true, "half \\U+12 and \\U+ZZZZ", L"half \\U+12 and \\U+ZZZZ"},
      {false, "caf\xe9 \x80", L"café €"},
      {false, "Ter\xc3\xa9n", L"Terén"},
      {false, "\\U+017Dlu\\U+0165", L"Žluť"},
  };
  for (const Case& c : cases) EXPECT_EQ(uv::dxf::TextCodec(c.utf8).decode(c.raw), c.text) << c.raw;
}

TEST(DxfValues, EncodedTextsStayOnOneLineAndComeBack) {
  for (const std::wstring& text : {std::wstring(L"two\nlines\r"), std::wstring(L"Čáp\tžere"), std::wstring(L"  x  ")}) {
    const std::string raw = uv::dxf::TextCodec::encode(text);
    EXPECT_EQ(raw.find_first_of("\r\n"), std::string::npos) << raw;
    EXPECT_EQ(uv::dxf::TextCodec(true).decode(raw), text);
  }
}

TEST(DxfValues, ObjectCoordinatesFollowTheArbitraryAxisRule) {
  // Normal near the z axis: x axis = Wy x N; elsewhere Wz x N.
  const uv::dxf::Ocs down(AcGeVector3d(0, 0, -1));
  EXPECT_TRUE(down.toWorld(AcGePoint3d(1, 2, 3)).isEqualTo(AcGePoint3d(-1, 2, -3)));
  const uv::dxf::Ocs side(AcGeVector3d(1, 0, 0));
  EXPECT_TRUE(side.toWorld(AcGePoint3d(1, 2, 3)).isEqualTo(AcGePoint3d(3, 1, 2)));
  const uv::dxf::Ocs tilted(AcGeVector3d(0.3, -0.2, 0.9));
  const AcGePoint3d p(4.5, -7.25, 100.125);
  EXPECT_TRUE(tilted.toOcs(tilted.toWorld(p)).isEqualTo(p));
  EXPECT_TRUE(uv::dxf::Ocs(AcGeVector3d(0, 0, 1)).isWorld());
}

namespace {

uv::dxf::Group groupOf(const std::string& text) { return uv::dxf::Group{text.c_str(), 7, 10}; }

}  // namespace

TEST(DxfValues, RealsParseAsFromCharsWouldInEveryForm) {
  // Plain decimals take a short path; every form must give from_chars's value bit for bit.
  std::vector<std::string> texts = {"0",       "-0",      "0.0",     "-0.0",    "1015.825", "-3",     "  12.5 ",
                                    "+7.25",   "1e3",     "-2.5E-3", "0.1",     "0.3",      "123456789012345",
                                    "1234567890123456",     "0.000000000000000000001", "9007199254740993",
                                    "5468712.123456789",    "99999999999999.9",        "4.94065645841247e-324"};
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> coordinate(-6e6, 6e6);
  for (int i = 0; i < 2000; ++i) {
    const double v = coordinate(rng);
    texts.push_back(uv::dxf::GroupWriter::formatReal(std::round(v * 1000) / 1000));  // survey millimetres
    texts.push_back(uv::dxf::GroupWriter::formatReal(v));                              // full precision
    char fixed[64];
    std::snprintf(fixed, sizeof fixed, "%.*f", i % 12, v);
    texts.push_back(fixed);
  }
  for (const std::string& text : texts) {
    std::string_view t = text;
    while (t.front() == ' ') t.remove_prefix(1);
    while (t.back() == ' ') t.remove_suffix(1);
    if (t.front() == '+') t.remove_prefix(1);
    double expected = 0;
    std::from_chars(t.data(), t.data() + t.size(), expected);
    const double got = uv::dxf::parseReal(groupOf(text));
    EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text << " gave " << got;
  }
}

TEST(DxfValues, MalformedRealsAreRefusedNamingTheirLine) {
  for (const std::string text : {"", " ", "-", ".", "1.2.3", "12a", "--1", "1e", "nan", "inf", "1e400", "0x10"}) {
    try {
      uv::dxf::parseReal(groupOf(text));
      ADD_FAILURE() << "'" << text << "' was taken";
    } catch (const uv::dxf::DxfError& e) {
      EXPECT_EQ(e.line(), 8) << text;
    }
  }
}
