// The small value codecs: reals, texts, object coordinates.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

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
