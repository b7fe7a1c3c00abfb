// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/KvbFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ios>
#include <memory>
#include <span>

#include "base/TextCase.h"
#include "product/engine/BinaryIo.h"
#include "tin/PlanGrid.h"
#include "product/engine/InputFile.h"
#include "tin/LargeArrays.h"
#include "tin/MeshLinks.h"

namespace uv::engine {

namespace {

constexpr std::array<unsigned char, 8> kMagic{0x89, 'K', 'V', 'B', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::size_t kPrefix = 16;                // magic, versions, header length
constexpr std::uint32_t kMaxHeader = 16u << 20;    // far above any real name and description

void writePoint(ByteWriter& w, const tin::Point3& p) {
  w.f64(p.x);
  w.f64(p.y);
  w.f64(p.z);
}

tin::Point3 readPoint(ByteReader& r) {
  tin::Point3 p;
  p.x = r.f64();
  p.y = r.f64();
  p.z = r.f64();
  return p;
}

std::vector<unsigned char> encodeHeader(const SurfaceFileHeader& h) {
  ByteWriter w;
  w.text(h.name);
  w.text(h.description);
  w.u32(h.pointCount);
  w.u32(h.breakLineCount);
  w.u32(h.swapCount);
  w.u32(h.triangleCount);
  w.u8(h.extents.empty ? 1 : 0);
  writePoint(w, h.extents.min);
  writePoint(w, h.extents.max);
  return std::move(w.bytes());
}

// A section's bytes, handed to the sink as they are made: the small fields gathered, the
// arrays passed on where they lie; its CRC-32 kept on the way.
class SectionWriter {
 public:
  explicit SectionWriter(ByteSink& sink) : m_sink(sink) {}
  ByteWriter& fields() { return m_fields; }
  void bulk(const void* data, std::size_t size) {
    flush();
    if (size == 0) return;
    m_crc = crc32(static_cast<const unsigned char*>(data), size, m_crc);
    m_sink.put(static_cast<const unsigned char*>(data), size);
  }
  void f64s(const double* v, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) bulk(v, n * sizeof(double));
    else m_fields.f64s(v, n);
  }
  void i32s(const std::int32_t* v, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) bulk(v, n * sizeof(std::int32_t));
    else m_fields.i32s(v, n);
  }
  std::uint32_t finish() {
    flush();
    return m_crc;
  }

 private:
  void flush() {
    if (m_fields.size() == 0) return;
    m_crc = crc32(m_fields.bytes().data(), m_fields.size(), m_crc);
    m_sink.put(m_fields.bytes().data(), m_fields.size());
    m_fields.bytes().clear();
  }

  ByteSink& m_sink;
  ByteWriter m_fields;
  std::uint32_t m_crc = 0;
};

std::uint64_t textLength(const std::wstring& s) { return 4 + uv::toUtf8(s).size(); }

std::uint64_t bodyLength(const tin::Definition& d, const std::vector<LayerData>& layers) {
  std::uint64_t length = 16 + 4 + d.points.size() * 24 + 4 + d.breakLines.size() * 48 + 4 + d.swaps.size() * 32 + 4;
  for (const auto& l : layers) length += 8 + textLength(l.name) + textLength(l.linetype);
  return length;
}

void encodeBody(SectionWriter& s, const tin::Definition& d, const std::vector<LayerData>& layers) {
  ByteWriter& w = s.fields();
  w.f64(d.settings.planTolerance);
  w.f64(d.settings.maxEdgeLength);
  w.u32(static_cast<std::uint32_t>(d.points.size()));
  s.f64s(reinterpret_cast<const double*>(d.points.data()), d.points.size() * 3);
  w.u32(static_cast<std::uint32_t>(d.breakLines.size()));
  s.f64s(reinterpret_cast<const double*>(d.breakLines.data()), d.breakLines.size() * 6);
  w.u32(static_cast<std::uint32_t>(d.swaps.size()));
  s.f64s(reinterpret_cast<const double*>(d.swaps.data()), d.swaps.size() * 4);
  w.u32(static_cast<std::uint32_t>(layers.size()));
  for (const auto& l : layers) {
    w.i32(l.type);
    w.text(l.name);
    w.i32(l.colour);
    w.text(l.linetype);
  }
}

static_assert(sizeof(tin::Point3) == 3 * sizeof(double) && sizeof(tin::Triangle) == 3 * sizeof(std::int32_t) &&
                  sizeof(tin::Segment3) == 6 * sizeof(double) && sizeof(tin::Segment2) == 4 * sizeof(double) &&
                  sizeof(std::array<std::int32_t, 4>) == 4 * sizeof(std::int32_t),
              "points, lines, swaps, triangles and flips are read and written as plain numbers");

std::uint64_t triangulationLength(const tin::SavedTriangulation& t, const std::vector<tin::Triangle>& triangles) {
  std::uint64_t length = 1 + 4 + t.extraVertices.size() * 24 + 4 + triangles.size() * 12 + 4 + 4 +
                         t.flips.size() * 16 + 4 + t.swapsMade.size();
  for (const auto& chain : t.chains) length += 4 + chain.size() * 4;
  return length;
}

void encodeTriangulation(SectionWriter& s, const tin::SavedTriangulation& t, const std::vector<tin::Triangle>& triangles) {
  ByteWriter& w = s.fields();
  w.u8(t.editable ? 1 : 0);
  w.u32(static_cast<std::uint32_t>(t.extraVertices.size()));
  s.f64s(reinterpret_cast<const double*>(t.extraVertices.data()), t.extraVertices.size() * 3);
  w.u32(static_cast<std::uint32_t>(triangles.size()));
  s.i32s(reinterpret_cast<const std::int32_t*>(triangles.data()), triangles.size() * 3);
  w.u32(static_cast<std::uint32_t>(t.chains.size()));
  for (const auto& chain : t.chains) {
    w.u32(static_cast<std::uint32_t>(chain.size()));
    w.i32s(chain.data(), chain.size());
  }
  w.u32(static_cast<std::uint32_t>(t.flips.size()));
  s.i32s(reinterpret_cast<const std::int32_t*>(t.flips.data()), t.flips.size() * 4);
  w.u32(static_cast<std::uint32_t>(t.swapsMade.size()));
  s.bulk(t.swapsMade.data(), t.swapsMade.size());
}

// A section: its length (u64), its bytes, their CRC-32. The length is known before the bytes
// are made, so nothing is written twice.
template <typename Encode>
void section(ByteSink& sink, std::uint64_t length, Encode&& encode) {
  ByteWriter w;
  w.u64(length);
  sink.put(w.bytes().data(), w.size());
  SectionWriter s(sink);
  encode(s);
  w.bytes().clear();
  w.u32(s.finish());
  sink.put(w.bytes().data(), w.size());
}

bool decodeTriangulation(const unsigned char* p, std::size_t size, tin::SavedTriangulation& t, std::string& error) {
  ByteReader r(p, size);
  const std::uint8_t editable = r.u8();
  t.editable = editable == 1;
  std::uint32_t n = r.u32();
  if (r.expect(n, 24)) {
    t.extraVertices.resize(n);
    r.f64s(reinterpret_cast<double*>(t.extraVertices.data()), std::size_t{n} * 3);
  }
  n = r.u32();
  if (r.expect(n, 12)) {
    // Room for the edits to come (address space only until used; see LargeArrays.h).
    tin::detail::reserveWithRoom(t.triangles, n);
    t.triangles.resize(n);
    r.i32s(reinterpret_cast<std::int32_t*>(t.triangles.data()), std::size_t{n} * 3);
  }
  n = r.u32();
  if (r.expect(n, 4)) {
    t.chains.resize(n);
    for (auto& chain : t.chains) {
      const std::uint32_t m = r.u32();
      if (!r.expect(m, 4)) break;
      chain.resize(m);
      r.i32s(chain.data(), m);
    }
  }
  n = r.u32();
  if (r.expect(n, 16)) {
    t.flips.resize(n);
    for (auto& f : t.flips) r.i32s(f.data(), 4);
  }
  n = r.u32();
  if (r.expect(n, 1)) {
    t.swapsMade.resize(n);
    for (auto& m : t.swapsMade) m = r.u8();
  }
  if (!r.ok() || editable > 1) {
    error = "the triangles are shorter than their counts say";
    return false;
  }
  for (const tin::Point3& v : t.extraVertices)
    if (!tin::isPlanCoordinate(v.x) || !tin::isPlanCoordinate(v.y) || !tin::isCoordinate(v.z)) {
      error = "a vertex of the triangles is no place";
      return false;
    }
  return true;
}

std::string formatNumber(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

std::string at(std::size_t offset) { return " (at byte " + std::to_string(offset) + ")"; }

// Checks magic and versions of the 16-byte prefix; returns the header length, 0 on error.
std::uint32_t checkPrefix(const unsigned char* p, std::size_t size, std::string& error) {
  if (size < kPrefix) {
    error = "not a surface file: it is shorter than the file prefix" + at(size);
    return 0;
  }
  if (!std::equal(kMagic.begin(), kMagic.end(), p)) {
    error = "not a surface file: the file does not start with the surface-file signature";
    return 0;
  }
  ByteReader r(p + 8, kPrefix - 8);
  const std::uint16_t version = r.u16();
  const std::uint16_t oldestReader = r.u16();
  const std::uint32_t headerLength = r.u32();
  if (oldestReader > kKvbVersion) {
    error = "the surface file has format version " + std::to_string(version) + ", which needs a newer program (this one reads version " +
            std::to_string(kKvbVersion) + ")";
    return 0;
  }
  if (headerLength == 0 || headerLength > kMaxHeader) {
    error = "corrupt surface file: impossible header length " + std::to_string(headerLength) + at(12);
    return 0;
  }
  return headerLength;
}

bool decodeHeader(const unsigned char* p, std::size_t size, SurfaceFileHeader& h, std::string& error) {
  ByteReader r(p, size);
  h.name = r.text();
  h.description = r.text();
  h.pointCount = r.u32();
  h.breakLineCount = r.u32();
  h.swapCount = r.u32();
  h.triangleCount = r.u32();
  h.extents.empty = r.u8() != 0;
  h.extents.min = readPoint(r);
  h.extents.max = readPoint(r);
  if (!r.ok()) {
    error = "corrupt surface file: the header is shorter than its fields" + at(kPrefix + r.position());
    return false;
  }
  return true;
}

// A file holds what the engine wrote: finite positions of real places. A NaN, an infinity or
// a position beyond tin::kMaxCoordinate is damage, and taken in it would put vertices where no
// input lies (products of such numbers overflow in the break-line crossings); so is a place
// nearer to an axis than tin::kMinPlanCoordinate but not on it (those products underflow).
bool checkCoordinates(const tin::Definition& d, std::string& error) {
  auto bad = [&](const char* what, std::size_t index, const char* field, double v) {
    error = "corrupt surface file: " + std::string(what) + " " + std::to_string(index + 1) + " has " + field + " = " +
            formatNumber(v) + "; coordinates must be finite numbers within +-" + formatNumber(tin::kMaxCoordinate) +
            ", and x and y zero or at least " + formatNumber(tin::kMinPlanCoordinate) + " in size";
    return false;
  };
  for (std::size_t i = 0; i < d.points.size(); ++i) {
    const tin::Point3& p = d.points[i];
    if (!tin::isPlanCoordinate(p.x)) return bad("point", i, "x", p.x);
    if (!tin::isPlanCoordinate(p.y)) return bad("point", i, "y", p.y);
    if (!tin::isCoordinate(p.z)) return bad("point", i, "z", p.z);
  }
  for (std::size_t i = 0; i < d.breakLines.size(); ++i) {
    for (const tin::Point3* p : {&d.breakLines[i].a, &d.breakLines[i].b}) {
      if (!tin::isPlanCoordinate(p->x)) return bad("break line", i, "x", p->x);
      if (!tin::isPlanCoordinate(p->y)) return bad("break line", i, "y", p->y);
      if (!tin::isCoordinate(p->z)) return bad("break line", i, "z", p->z);
    }
  }
  for (std::size_t i = 0; i < d.swaps.size(); ++i) {
    for (const tin::Point2* p : {&d.swaps[i].a, &d.swaps[i].b}) {
      if (!tin::isPlanCoordinate(p->x)) return bad("swap", i, "x", p->x);
      if (!tin::isPlanCoordinate(p->y)) return bad("swap", i, "y", p->y);
    }
  }
  return true;
}

bool decodeBody(const unsigned char* p, std::size_t size, std::size_t offset, SurfaceFileContent& c,
                std::string& error) {
  ByteReader r(p, size);
  tin::Definition& d = c.definition;
  d.settings.planTolerance = r.f64();
  d.settings.maxEdgeLength = r.f64();
  if (r.ok() && !(tin::isPlanTolerance(d.settings.planTolerance) &&
                  d.settings.maxEdgeLength >= 0.0 && std::isfinite(d.settings.maxEdgeLength))) {
    error = "corrupt surface file: impossible surface settings" + at(offset);
    return false;
  }
  std::uint32_t n = r.u32();
  if (r.expect(n, 24)) {
    // With the room the surface gives its definition for the edits to come (see LargeArrays.h):
    // the first edit copies nothing.
    tin::detail::reserveWithRoom(d.points, n);
    d.points.resize(n);
    r.f64s(reinterpret_cast<double*>(d.points.data()), std::size_t{n} * 3);
  }
  n = r.u32();
  if (r.expect(n, 48)) {
    d.breakLines.resize(n);
    for (auto& s : d.breakLines) {
      s.a = readPoint(r);
      s.b = readPoint(r);
    }
  }
  n = r.u32();
  if (r.expect(n, 32)) {
    d.swaps.resize(n);
    for (auto& s : d.swaps) {
      s.a.x = r.f64();
      s.a.y = r.f64();
      s.b.x = r.f64();
      s.b.y = r.f64();
    }
  }
  n = r.u32();
  if (r.expect(n, 16)) {
    c.layers.resize(n);
    for (auto& l : c.layers) {
      l.type = r.i32();
      l.name = r.text();
      l.colour = r.i32();
      l.linetype = r.text();
    }
  }
  if (!r.ok()) {
    error = "corrupt surface file: the body is shorter than its counts say" + at(offset + r.position());
    return false;
  }
  if (!checkCoordinates(d, error)) return false;
  const SurfaceFileHeader& h = c.header;
  if (h.pointCount != d.points.size() || h.breakLineCount != d.breakLines.size() || h.swapCount != d.swaps.size()) {
    error = "corrupt surface file: the counts of header and body differ";
    return false;
  }
  return true;
}

// A file's parts in order, as the decoder asks for them: from memory where they lie, or from a
// stream into one buffer that every part reuses. A large file is so never held whole: reading
// it takes the memory of its largest part (its points, or its triangles), not of all of them.
class FileParts {
 public:
  FileParts(const unsigned char* data, std::size_t size) : m_data(data), m_left(size) {}
  explicit FileParts(std::streambuf& in) : m_in(&in) {
    // A stream that tells its length (a file, a string) bounds each part by what it holds.
    const auto here = in.pubseekoff(0, std::ios_base::cur, std::ios_base::in);
    const auto end = here >= 0 ? in.pubseekoff(0, std::ios_base::end, std::ios_base::in) : here;
    if (here >= 0 && end >= here && in.pubseekoff(here, std::ios_base::beg, std::ios_base::in) == here)
      m_left = static_cast<std::uint64_t>(end - here);
  }

  // The next n bytes, fewer where the file ends first; valid until the next call.
  std::span<const unsigned char> next(std::uint64_t n) {
    const std::size_t wanted = static_cast<std::size_t>(std::min(n, m_left));
    const std::span<const unsigned char> part = m_in ? read(wanted) : std::span(m_data + m_position, wanted);
    m_position += part.size();
    if (m_left != kUnknown) m_left -= part.size();
    return part;
  }
  // Where the next part starts; after a short part, where the file ends.
  std::uint64_t position() const { return m_position; }

 private:
  static constexpr std::uint64_t kUnknown = ~std::uint64_t{0};

  std::span<const unsigned char> read(std::size_t wanted) {
    // Where the stream's length is known, room for all of the rest at once when a large part
    // comes: only as much of it as the largest part is ever touched. Where it is not, the room
    // grows in steps as the bytes arrive, so that a lying length in a damaged file costs no
    // more than the file holds.
    constexpr std::size_t kLarge = std::size_t{1} << 20;
    constexpr std::size_t kStep = std::size_t{1} << 24;
    if (m_left != kUnknown && wanted > m_capacity) grow(wanted < kLarge ? wanted : static_cast<std::size_t>(m_left), 0);
    std::size_t got = 0;
    while (got < wanted) {
      const std::size_t n = std::min(kStep, wanted - got);
      if (got + n > m_capacity) grow(std::max(got + n, std::min(wanted, 2 * m_capacity)), got);
      const auto read = static_cast<std::size_t>(
          m_in->sgetn(reinterpret_cast<char*>(m_buffer.get() + got), static_cast<std::streamsize>(n)));
      got += read;
      if (read < n) break;
    }
    return std::span(m_buffer.get(), got);
  }
  // Room for `size` bytes, the first `keep` kept. Not zeroed: every byte handed out was read.
  void grow(std::size_t size, std::size_t keep) {
    auto bigger = std::make_unique_for_overwrite<unsigned char[]>(size);
    if (keep > 0) std::memcpy(bigger.get(), m_buffer.get(), keep);
    m_buffer = std::move(bigger);
    m_capacity = size;
  }

  const unsigned char* m_data = nullptr;
  std::streambuf* m_in = nullptr;
  std::unique_ptr<unsigned char[]> m_buffer;
  std::size_t m_capacity = 0;
  std::uint64_t m_position = 0;
  std::uint64_t m_left = kUnknown;
};

// n and the four bytes of a checksum after it, never wrapping round.
std::uint64_t withChecksum(std::uint64_t n) { return n > ~std::uint64_t{0} - 4 ? ~std::uint64_t{0} : n + 4; }

enum class Section { None, CutOff, BadChecksum, Whole };

// The next section (u64 length, its bytes, their CRC-32), when the file has it whole: `bytes`
// are its own, without the checksum.
Section nextSection(FileParts& file, std::span<const unsigned char>& bytes) {
  const auto lengthBytes = file.next(8);
  if (lengthBytes.empty()) return Section::None;
  if (lengthBytes.size() < 8) return Section::CutOff;
  const std::uint64_t n = ByteReader(lengthBytes.data(), 8).u64();
  const auto part = file.next(withChecksum(n));
  if (part.size() < 4 || part.size() - 4 < n) return Section::CutOff;
  bytes = part.first(static_cast<std::size_t>(n));
  if (ByteReader(part.data() + n, 4).u32() != crc32(bytes.data(), bytes.size())) return Section::BadChecksum;
  return Section::Whole;
}

// Fills `out` only on success.
bool decode(FileParts& file, KvbDepth depth, SurfaceFileContent& out, std::string& error) {
  const auto prefix = file.next(kPrefix);
  const std::uint32_t headerLength = checkPrefix(prefix.data(), prefix.size(), error);
  if (headerLength == 0) return false;
  const std::uint32_t prefixCrc = crc32(prefix.data(), prefix.size());
  const std::size_t headerEnd = kPrefix + headerLength;
  const auto header = file.next(std::uint64_t{headerLength} + 4);
  if (header.size() < std::size_t{headerLength} + 4) {
    error = "truncated surface file: the header ends early" + at(file.position());
    return false;
  }
  if (ByteReader(header.data() + headerLength, 4).u32() != crc32(header.data(), headerLength, prefixCrc)) {
    error = "corrupt surface file: the header checksum does not match" + at(headerEnd);
    return false;
  }
  SurfaceFileContent c;
  if (!decodeHeader(header.data(), headerLength, c.header, error)) return false;
  if (depth == KvbDepth::Header) {
    out = std::move(c);
    return true;
  }
  const auto lengthBytes = file.next(8);
  if (lengthBytes.size() < 8) {
    error = "truncated surface file: it ends after the header" + at(file.position());
    return false;
  }
  const std::uint64_t bodyLength = ByteReader(lengthBytes.data(), 8).u64();
  const std::size_t bodyStart = headerEnd + 4 + 8;
  const auto body = file.next(withChecksum(bodyLength));
  if (body.size() < 4 || body.size() - 4 < bodyLength) {
    error = "truncated surface file: the body is " + std::to_string(bodyLength) + " bytes long but the file ends" +
            at(file.position());
    return false;
  }
  const std::size_t bodySize = static_cast<std::size_t>(bodyLength);
  if (ByteReader(body.data() + bodySize, 4).u32() != crc32(body.data(), bodySize)) {
    error = "corrupt surface file: the body checksum does not match" + at(bodyStart + bodySize);
    return false;
  }
  if (!decodeBody(body.data(), bodySize, bodyStart, c, error)) return false;
  // The triangles: whatever is wrong with them, the definition stands and the surface is
  // made from it.
  std::span<const unsigned char> bytes;
  switch (nextSection(file, bytes)) {
    case Section::None: break;
    case Section::CutOff: c.triangulationProblem = "the triangles are cut off" + at(file.position()); break;
    case Section::BadChecksum:
      c.triangulationProblem = "the triangles' checksum does not match" + at(file.position() - 4);
      break;
    case Section::Whole: {
      tin::SavedTriangulation t;
      if (!decodeTriangulation(bytes.data(), bytes.size(), t, c.triangulationProblem)) break;
      // The links, when the file has them; without them the load links the triangles itself.
      switch (nextSection(file, bytes)) {
        case Section::None: break;
        case Section::CutOff: c.linksProblem = "the links are cut off" + at(file.position()); break;
        case Section::BadChecksum: c.linksProblem = "the links' checksum does not match" + at(file.position() - 4); break;
        case Section::Whole: {
          ByteReader r(bytes.data(), bytes.size());
          if (r.u32() != t.triangles.size() || !r.ok())
            c.linksProblem = "the links are for another number of triangles";
          else
            tin::decodeLinks(t.triangles, bytes.subspan(4), t.neighbours, c.linksProblem);
          break;
        }
      }
      c.triangulation = std::move(t);
      break;
    }
  }
  out = std::move(c);
  return true;
}

}  // namespace

void writeSurfaceFile(const SurfaceFileParts& parts, ByteSink& sink) {
  const tin::Definition& d = parts.definition;
  SurfaceFileHeader h = parts.header;
  h.pointCount = static_cast<std::uint32_t>(d.points.size());
  h.breakLineCount = static_cast<std::uint32_t>(d.breakLines.size());
  h.swapCount = static_cast<std::uint32_t>(d.swaps.size());
  const std::vector<unsigned char> header = encodeHeader(h);
  const std::vector<tin::Triangle>* triangles =
      !parts.triangulation ? nullptr : parts.triangles ? parts.triangles : &parts.triangulation->triangles;
  const bool links = triangles && parts.neighbours && parts.neighbours->size() == triangles->size();
  const std::vector<std::uint8_t> code = links ? tin::encodeLinks(*parts.neighbours) : std::vector<std::uint8_t>();
  const std::uint64_t linksLength = 4 + code.size();
  sink.expect(kPrefix + header.size() + 4 + 8 + bodyLength(d, parts.layers) + 4 +
              (triangles ? 8 + triangulationLength(*parts.triangulation, *triangles) + 4 : 0) +
              (links ? 8 + linksLength + 4 : 0));

  ByteWriter w;
  w.raw(kMagic.data(), kMagic.size());
  // Without links the file is what version 2 wrote, without triangles what version 1 wrote,
  // byte for byte.
  w.u16(links ? kKvbVersion : parts.triangulation ? 2 : 1);
  w.u16(1);
  w.u32(static_cast<std::uint32_t>(header.size()));
  w.raw(header.data(), header.size());
  w.u32(crc32(w.bytes().data(), w.size()));
  sink.put(w.bytes().data(), w.size());
  section(sink, bodyLength(d, parts.layers), [&](SectionWriter& s) { encodeBody(s, d, parts.layers); });
  if (triangles)
    section(sink, triangulationLength(*parts.triangulation, *triangles),
            [&](SectionWriter& s) { encodeTriangulation(s, *parts.triangulation, *triangles); });
  if (links)
    section(sink, linksLength, [&](SectionWriter& s) {
      s.fields().u32(static_cast<std::uint32_t>(triangles->size()));
      s.bulk(code.data(), code.size());
    });
}

void ByteBuffer::expect(std::uint64_t size) {
  tin::detail::reserveLarge(m_bytes, m_bytes.size() + static_cast<std::size_t>(size));
}

void StreamSink::put(const unsigned char* data, std::size_t size) {
  if (!m_ok) return;
  m_ok = m_out.sputn(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size)) ==
         static_cast<std::streamsize>(size);
}

std::vector<unsigned char> encodeSurfaceFile(const SurfaceFileParts& parts) {
  ByteBuffer buffer;
  writeSurfaceFile(parts, buffer);
  return buffer.take();
}

std::vector<unsigned char> encodeSurfaceFile(const SurfaceFileContent& content) {
  const tin::SavedTriangulation* t = content.triangulation ? &*content.triangulation : nullptr;
  return encodeSurfaceFile(SurfaceFileParts{content.header, content.definition, content.layers, t,
                                            t && !t->neighbours.empty() ? &t->neighbours : nullptr});
}

bool writeSurfaceFile(std::streambuf& out, const SurfaceFileContent& content) {
  const std::vector<unsigned char> bytes = encodeSurfaceFile(content);
  return out.sputn(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())) ==
         static_cast<std::streamsize>(bytes.size());
}

bool decodeSurfaceFile(const unsigned char* data, std::size_t size, KvbDepth depth, SurfaceFileContent& out,
                       std::string& error) {
  FileParts file(data, size);
  return decode(file, depth, out, error);
}

bool readSurfaceFile(std::streambuf& in, KvbDepth depth, SurfaceFileContent& out, std::string& error) {
  // Part by part, never asking for more than the stream has shown so far: a lying length in a
  // damaged file costs no huge allocation. Header depth reads nothing past the header.
  FileParts file(in);
  return decode(file, depth, out, error);
}

bool readSurfaceFile(const std::wstring& path, KvbDepth depth, SurfaceFileContent& out, std::string& error) {
  InputFile file;
  if (!file.open(path, error)) return false;
  if (readSurfaceFile(file.buffer(), depth, out, error)) return true;
  // A failing disk is not a damaged file: say which it was.
  if (!file.error().empty()) error = file.error();
  return false;
}

}  // namespace uv::engine
