// SPDX-License-Identifier: GPL-3.0-or-later
// The surface file format itself: what it keeps, and what it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>

#include "product/engine/BinaryIo.h"
#include "product/engine/KvbFormat.h"
#include "tin/Surface.h"

namespace uv::engine {
namespace {

SurfaceFileContent sample() {
  SurfaceFileContent c;
  c.header.name = L"Teren čćž";
  c.header.description = L"opis";
  c.header.triangleCount = 1;
  c.definition.settings.maxEdgeLength = 50.0;
  c.definition.points = {{500000.001, 5000000.002, 101.5}, {500010.0, 5000000.0, 102.0}, {500000.0, 5000010.0, 99.0}};
  c.definition.breakLines = {{{500000.001, 5000000.002, 101.5}, {500010.0, 5000000.0, 102.0}}};
  c.definition.swaps = {{{1.0, 2.0}, {3.0, 4.0}}};
  c.layers = {{1, L"Teren_TIN", 8, L"Continuous"}, {6, L"Teren_CONTOURS", 32, L"DASHED"}};
  return c;
}

TEST(KvbFormat, KeepsEverythingOfTheDefinition) {
  const auto bytes = encodeSurfaceFile(sample());
  EXPECT_EQ(crc32(reinterpret_cast<const unsigned char*>("123456789"), 9), 0xCBF43926u);  // the standard check value
  SurfaceFileContent back;
  std::string error;
  ASSERT_TRUE(decodeSurfaceFile(bytes.data(), bytes.size(), KvbDepth::Whole, back, error)) << error;
  const SurfaceFileContent c = sample();
  EXPECT_EQ(back.header.name, c.header.name);
  EXPECT_EQ(back.header.pointCount, 3u);
  EXPECT_EQ(back.header.breakLineCount, 1u);
  EXPECT_EQ(back.definition, c.definition);
  EXPECT_EQ(back.layers, c.layers);

  SurfaceFileContent header;
  std::stringbuf stream(std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(readSurfaceFile(stream, KvbDepth::Header, header, error));
  EXPECT_EQ(header.header.description, L"opis");
  EXPECT_TRUE(header.definition.points.empty());
}

TEST(KvbFormat, RefusesEveryTruncationAndEveryFlippedByte) {
  const auto good = encodeSurfaceFile(sample());
  for (std::size_t n = 0; n < good.size(); ++n) {
    SurfaceFileContent out;
    std::string error;
    EXPECT_FALSE(decodeSurfaceFile(good.data(), n, KvbDepth::Whole, out, error)) << n;
    EXPECT_FALSE(error.empty());
  }
  for (std::size_t i = 0; i < good.size(); ++i) {
    auto bad = good;
    bad[i] ^= 0x01;
    SurfaceFileContent out;
    std::string error;
    EXPECT_FALSE(decodeSurfaceFile(bad.data(), bad.size(), KvbDepth::Whole, out, error)) << "byte " << i;
  }
}

TEST(KvbFormat, RefusesAFileOfANewerFormatAndALyingBodyLength) {
  auto bytes = encodeSurfaceFile(sample());
  auto newer = bytes;
  newer[10] = 3;  // the oldest reader it accepts is version 3
  SurfaceFileContent out;
  std::string error;
  EXPECT_FALSE(decodeSurfaceFile(newer.data(), newer.size(), KvbDepth::Header, out, error));
  EXPECT_NE(error.find("newer"), std::string::npos);

  // A body length of 2^60: refused from the stream without trying to hold it.
  ByteReader r(bytes.data() + 12, 4);
  const std::size_t lengthAt = 16 + r.u32() + 4;
  for (int i = 0; i < 8; ++i) bytes[lengthAt + i] = i == 7 ? 0x10 : 0;
  std::stringbuf stream(std::string(bytes.begin(), bytes.end()));
  EXPECT_FALSE(readSurfaceFile(stream, KvbDepth::Whole, out, error));
  EXPECT_NE(error.find("truncated"), std::string::npos);
}

// A file whose checksums hold but whose numbers are no places: refused with the item named,
// never handed to the triangulation (a break line to 1e308 made a vertex near 1e62).
TEST(KvbFormat, RefusesNumbersThatAreNoPlaces) {
  using tin::kMaxCoordinate;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    std::function<void(tin::Definition&)> damage;
    const char* named;
  };
  const Case cases[] = {
      {"a NaN swap", [&](tin::Definition& d) { d.swaps[0].a.y = nan; }, "swap 1 has y = nan"},
      {"a break line to 1e308", [](tin::Definition& d) { d.breakLines[0].b.y = 1e308; }, "break line 1 has y = 1e+308"},
      {"an infinite height", [&](tin::Definition& d) { d.points[2].z = -inf; }, "point 3 has z = -inf"},
      {"just beyond the limit", [](tin::Definition& d) { d.points[0].x = std::nextafter(kMaxCoordinate, 1e300); },
       "point 1 has x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SurfaceFileContent content = sample();
    c.damage(content.definition);
    const auto bytes = encodeSurfaceFile(content);
    SurfaceFileContent out;
    out.header.name = L"untouched";
    std::string error;
    EXPECT_FALSE(decodeSurfaceFile(bytes.data(), bytes.size(), KvbDepth::Whole, out, error));
    EXPECT_NE(error.find(c.named), std::string::npos) << error;
    EXPECT_EQ(out.header.name, L"untouched");
    // The header alone still reads: a file list can show the name of a damaged file.
    EXPECT_TRUE(decodeSurfaceFile(bytes.data(), bytes.size(), KvbDepth::Header, out, error)) << error;
  }
  // The limit itself is a place.
  SurfaceFileContent edge = sample();
  edge.definition.points[0].x = -kMaxCoordinate;
  const auto bytes = encodeSurfaceFile(edge);
  SurfaceFileContent out;
  std::string error;
  EXPECT_TRUE(decodeSurfaceFile(bytes.data(), bytes.size(), KvbDepth::Whole, out, error)) << error;
}

// The surface and its file take the same coordinates: what a surface takes, its file keeps and
// reads back; what the file would refuse, the surface refuses when it is given.
TEST(KvbFormat, TheSurfaceAndItsFileTakeTheSameCoordinates) {
  using tin::kMaxCoordinate;
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    double x;
    bool taken;
  };
  const Case cases[] = {
      {"the limit", kMaxCoordinate, true},
      {"the negative limit", -kMaxCoordinate, true},
      {"a last bit beyond", std::nextafter(kMaxCoordinate, inf), false},
      {"a last bit beyond, negative", std::nextafter(-kMaxCoordinate, -inf), false},
      {"ten times the limit", 10 * kMaxCoordinate, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    tin::Surface surface;
    const std::vector<tin::Point3> points{{0, 0, 1}, {100, 0, 2}, {0, 100, 3}, {c.x, 50, 4}};
    const tin::PointsResult added = surface.addPoints(points);
    EXPECT_EQ(added.refused, c.taken ? 0u : 1u);
    EXPECT_EQ(surface.addBreakLine({10, 10, 1}, {c.x, 60, 2}),
              c.taken ? tin::BreakLineResult::Added : tin::BreakLineResult::Refused);

    SurfaceFileContent content;
    content.definition = surface.definition();
    const auto bytes = encodeSurfaceFile(content);
    SurfaceFileContent out;
    std::string error;
    ASSERT_TRUE(decodeSurfaceFile(bytes.data(), bytes.size(), KvbDepth::Whole, out, error)) << error;
    EXPECT_EQ(out.definition, surface.definition());

    // The same coordinate written into a file by other means is refused by the reader exactly
    // when the surface refused it.
    SurfaceFileContent forged = sample();
    forged.definition.points[1].y = c.x;
    const auto forgedBytes = encodeSurfaceFile(forged);
    EXPECT_EQ(decodeSurfaceFile(forgedBytes.data(), forgedBytes.size(), KvbDepth::Whole, out, error), c.taken)
        << error;
  }
}

}  // namespace
}  // namespace uv::engine
