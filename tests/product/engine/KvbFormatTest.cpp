// SPDX-License-Identifier: GPL-3.0-or-later
// The surface file format itself: what it keeps, and what it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
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
  newer[10] = kKvbVersion + 1;  // the oldest reader it accepts is one version past this one
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
      {"the smallest size", tin::kMinPlanCoordinate, true},
      {"the smallest size, negative", -tin::kMinPlanCoordinate, true},
      {"a last bit below the smallest size", std::nextafter(tin::kMinPlanCoordinate, 0.0), false},
      {"a subnormal number", 5e-320, false},
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

// The file as its layout describes it, written one field at a time: the plain way the writer's
// faster one (sections written in place, numbers in bulk, parts by reference) must agree with.
std::vector<unsigned char> fieldByField(const SurfaceFileContent& c) {
  auto point = [](ByteWriter& w, const tin::Point3& p) {
    w.f64(p.x);
    w.f64(p.y);
    w.f64(p.z);
  };
  const tin::Definition& d = c.definition;
  ByteWriter header;
  header.text(c.header.name);
  header.text(c.header.description);
  header.u32(static_cast<std::uint32_t>(d.points.size()));
  header.u32(static_cast<std::uint32_t>(d.breakLines.size()));
  header.u32(static_cast<std::uint32_t>(d.swaps.size()));
  header.u32(c.header.triangleCount);
  header.u8(c.header.extents.empty ? 1 : 0);
  point(header, c.header.extents.min);
  point(header, c.header.extents.max);

  ByteWriter body;
  body.f64(d.settings.planTolerance);
  body.f64(d.settings.maxEdgeLength);
  body.u32(static_cast<std::uint32_t>(d.points.size()));
  for (const auto& p : d.points) point(body, p);
  body.u32(static_cast<std::uint32_t>(d.breakLines.size()));
  for (const auto& s : d.breakLines) {
    point(body, s.a);
    point(body, s.b);
  }
  body.u32(static_cast<std::uint32_t>(d.swaps.size()));
  for (const auto& s : d.swaps)
    for (double v : {s.a.x, s.a.y, s.b.x, s.b.y}) body.f64(v);
  body.u32(static_cast<std::uint32_t>(c.layers.size()));
  for (const auto& l : c.layers) {
    body.i32(l.type);
    body.text(l.name);
    body.i32(l.colour);
    body.text(l.linetype);
  }

  ByteWriter w;
  const unsigned char magic[] = {0x89, 'K', 'V', 'B', 0x0D, 0x0A, 0x1A, 0x0A};
  for (unsigned char b : magic) w.u8(b);
  w.u16(c.triangulation ? 2 : 1);
  w.u16(1);
  w.u32(static_cast<std::uint32_t>(header.size()));
  for (unsigned char b : header.bytes()) w.u8(b);
  w.u32(crc32(w.bytes().data(), w.size()));
  auto section = [&](const ByteWriter& part) {
    w.u64(part.size());
    for (unsigned char b : part.bytes()) w.u8(b);
    w.u32(crc32(part.bytes().data(), part.size()));
  };
  section(body);
  if (c.triangulation) {
    const tin::SavedTriangulation& t = *c.triangulation;
    ByteWriter tri;
    tri.u8(t.editable ? 1 : 0);
    tri.u32(static_cast<std::uint32_t>(t.extraVertices.size()));
    for (const auto& v : t.extraVertices) point(tri, v);
    tri.u32(static_cast<std::uint32_t>(t.triangles.size()));
    for (const auto& triangle : t.triangles)
      for (std::int32_t v : triangle.v) tri.i32(v);
    tri.u32(static_cast<std::uint32_t>(t.chains.size()));
    for (const auto& chain : t.chains) {
      tri.u32(static_cast<std::uint32_t>(chain.size()));
      for (std::int32_t v : chain) tri.i32(v);
    }
    tri.u32(static_cast<std::uint32_t>(t.flips.size()));
    for (const auto& f : t.flips)
      for (std::int32_t v : f) tri.i32(v);
    tri.u32(static_cast<std::uint32_t>(t.swapsMade.size()));
    for (std::uint8_t m : t.swapsMade) tri.u8(m);
    section(tri);
  }
  return std::move(w.bytes());
}

// Random surfaces with duplicate points, break lines that cross and swaps made and refused:
// the file written from the parts in place is the field-by-field file, with and without its
// triangles, and reads back to the same definition and triangles.
TEST(KvbFormat, TheWriterAgreesWithTheLayoutFieldByField) {
  for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> at(0.0, 100.0);
    std::vector<tin::Point3> points;
    for (int i = 0; i < 150; ++i) points.push_back({500000.0 + at(random), 5000000.0 + at(random), at(random)});
    for (int i = 0; i < 30; ++i) points.push_back(points[random() % points.size()]);  // duplicates
    tin::Surface surface;
    surface.addPoints(points);
    const int breakLines = static_cast<int>(seed % 3) * 2;
    for (int i = 0; i < breakLines; ++i)
      surface.addBreakLine({500000.0 + at(random), 5000000.0 + at(random), 10.0},
                           {500000.0 + at(random), 5000000.0 + at(random), 20.0});
    int swaps = 0;
    for (int tries = 0; tries < 200 && swaps < static_cast<int>(seed); ++tries) {
      const auto& triangles = surface.triangles();
      const auto t1 = static_cast<std::int32_t>(random() % triangles.size());
      for (std::int32_t t2 = 0; t2 < static_cast<std::int32_t>(triangles.size()); ++t2) {
        int shared = 0;
        for (std::int32_t a : triangles[t1].v)
          for (std::int32_t b : triangles[t2].v) shared += a == b;
        if (t2 != t1 && shared == 2) {
          swaps += surface.swapDiagonal(t1, t2) == tin::SwapResult::Swapped;
          break;
        }
      }
    }
    if (seed % 2 == 0) surface.addPoints(std::vector<tin::Point3>{{500050.5, 5000050.5, 7.0}});  // after the swaps

    SurfaceFileContent content;
    content.header.name = L"Teren " + std::to_wstring(seed);
    content.header.description = L"opis čćž";
    content.header.triangleCount = static_cast<std::uint32_t>(surface.triangleCount());
    content.header.extents = surface.extents();
    content.definition = surface.definition();
    content.layers = sample().layers;
    content.triangulation = surface.saved();
    ASSERT_EQ(content.definition.breakLines.empty(), breakLines == 0);
    ASSERT_EQ(content.definition.swaps.size(), seed);

    const auto bytes = encodeSurfaceFile(content);
    EXPECT_EQ(bytes, fieldByField(content));
    EXPECT_EQ(encodeSurfaceFile(SurfaceFileParts{content.header, surface.definition(), content.layers,
                                                 &*content.triangulation}),
              bytes);
    SurfaceFileContent back;
    std::string error;
    ASSERT_TRUE(decodeSurfaceFile(bytes.data(), bytes.size(), KvbDepth::Whole, back, error)) << error;
    EXPECT_EQ(back.definition, content.definition);
    EXPECT_EQ(back.triangulation, content.triangulation);

    content.triangulation.reset();
    EXPECT_EQ(encodeSurfaceFile(content), fieldByField(content));
  }
}


// A stream that cannot tell its length (a pipe): read in steps as its bytes arrive.
class PipeBuffer : public std::streambuf {
 public:
  explicit PipeBuffer(std::string bytes) : m_bytes(std::move(bytes)) {
    setg(m_bytes.data(), m_bytes.data(), m_bytes.data() + m_bytes.size());
  }

 private:
  std::string m_bytes;
};

// The file read from a stream, part by part into one buffer, says exactly what its bytes in
// memory say: at every length it may be cut to, with every byte of a section's length damaged,
// from a stream that tells its length and from one that does not.
TEST(KvbFormat, AStreamReadsWhatTheBytesInMemorySay) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> at(0.0, 100.0);
  std::vector<tin::Point3> points;
  for (int i = 0; i < 40; ++i) points.push_back({500000.0 + at(random), 5000000.0 + at(random), at(random)});
  tin::Surface surface;
  surface.addPoints(points);
  surface.addBreakLine({500010.0, 5000010.0, 10.0}, {500090.0, 5000080.0, 20.0});
  surface.addBreakLine({500010.0, 5000080.0, 10.0}, {500090.0, 5000010.0, 20.0});
  SurfaceFileContent content = sample();
  content.definition = surface.definition();
  content.triangulation = surface.saved();
  content.triangulation->neighbours = surface.savedNeighbours();
  const auto good = encodeSurfaceFile(content);
  ASSERT_EQ(good[8], kKvbVersion);  // triangles and links: every section there is

  auto agree = [](const std::vector<unsigned char>& bytes, KvbDepth depth) {
    SurfaceFileContent inMemory, fromString, fromPipe;
    std::string memoryError, stringError, pipeError;
    const bool ok = decodeSurfaceFile(bytes.data(), bytes.size(), depth, inMemory, memoryError);
    std::stringbuf string(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(readSurfaceFile(string, depth, fromString, stringError), ok);
    PipeBuffer pipe(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(readSurfaceFile(pipe, depth, fromPipe, pipeError), ok);
    EXPECT_EQ(stringError, memoryError);
    EXPECT_EQ(pipeError, memoryError);
    for (const SurfaceFileContent* read : {&fromString, &fromPipe}) {
      EXPECT_EQ(read->header.name, inMemory.header.name);
      EXPECT_EQ(read->definition, inMemory.definition);
      EXPECT_EQ(read->layers, inMemory.layers);
      EXPECT_EQ(read->triangulation, inMemory.triangulation);
      EXPECT_EQ(read->triangulationProblem, inMemory.triangulationProblem);
      EXPECT_EQ(read->linksProblem, inMemory.linksProblem);
    }
    return ok;
  };
  for (KvbDepth depth : {KvbDepth::Header, KvbDepth::Whole}) {
    SCOPED_TRACE(depth == KvbDepth::Header ? "header" : "whole");
    EXPECT_TRUE(agree(good, depth));
    for (std::size_t n = 0; n < good.size(); ++n) {
      SCOPED_TRACE("cut to " + std::to_string(n));
      agree(std::vector<unsigned char>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)), depth);
    }
  }
  // Each byte of each section's length made larger, up to a length of 2^63: refused or taken
  // as a cut-off section, the same from memory and from either stream.
  ByteReader header(good.data() + 12, 4);
  std::size_t lengthAt = 16 + header.u32() + 4;
  for (int sectionIndex = 0; sectionIndex < 3; ++sectionIndex) {
    SCOPED_TRACE("section " + std::to_string(sectionIndex));
    for (int i = 0; i < 8; ++i) {
      auto bad = good;
      bad[lengthAt + i] |= 0x80;
      agree(bad, KvbDepth::Whole);
    }
    ByteReader length(good.data() + lengthAt, 8);
    lengthAt += 8 + length.u64() + 4;
  }
  EXPECT_EQ(lengthAt, good.size());
}

}  // namespace
}  // namespace uv::engine
