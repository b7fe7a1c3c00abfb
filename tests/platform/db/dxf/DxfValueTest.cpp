// The small value codecs: reals, texts, object coordinates.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>

#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
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
