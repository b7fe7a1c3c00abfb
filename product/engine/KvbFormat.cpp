// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/KvbFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ios>
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

enum class Section { None, CutOff, BadChecksum, Whole };

// The section at byte `at` (u64 length, its bytes, their CRC-32): where its bytes start and
// how many there are, when the file has it whole.
Section findSection(const unsigned char* data, std::size_t size, std::size_t at, std::size_t& start,
                    std::size_t& length) {
  if (size <= at) return Section::None;
  ByteReader lengthOf(data + at, size - at);
  const std::uint64_t n = lengthOf.u64();
  start = at + 8;
  if (!lengthOf.ok() || n > size - start || size - start - n < 4) return Section::CutOff;
  length = static_cast<std::size_t>(n);
  if (ByteReader(data + start + length, 4).u32() != crc32(data + start, length)) return Section::BadChecksum;
  return Section::Whole;
}

bool readExactly(std::streambuf& in, unsigned char* dst, std::size_t n) {
  return static_cast<std::size_t>(in.sgetn(reinterpret_cast<char*>(dst), static_cast<std::streamsize>(n))) == n;
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
  const std::uint32_t headerLength = checkPrefix(data, size, error);
  if (headerLength == 0) return false;
  const std::size_t headerEnd = kPrefix + headerLength;
  if (size < headerEnd + 4) {
    error = "truncated surface file: the header ends early" + at(size);
    return false;
  }
  ByteReader crcReader(data + headerEnd, 4);
  if (crcReader.u32() != crc32(data, headerEnd)) {
    error = "corrupt surface file: the header checksum does not match" + at(headerEnd);
    return false;
  }
  SurfaceFileContent c;
  if (!decodeHeader(data + kPrefix, headerLength, c.header, error)) return false;
  if (depth == KvbDepth::Header) {
    out = std::move(c);
    return true;
  }
  const std::size_t bodyStart = headerEnd + 4 + 8;
  if (size < bodyStart) {
    error = "truncated surface file: it ends after the header" + at(size);
    return false;
  }
  ByteReader lengthReader(data + headerEnd + 4, 8);
  const std::uint64_t bodyLength = lengthReader.u64();
  if (bodyLength > size - bodyStart || size - bodyStart - bodyLength < 4) {
    error = "truncated surface file: the body is " + std::to_string(bodyLength) + " bytes long but the file ends" +
            at(size);
    return false;
  }
  ByteReader bodyCrc(data + bodyStart + bodyLength, 4);
  if (bodyCrc.u32() != crc32(data + bodyStart, static_cast<std::size_t>(bodyLength))) {
    error = "corrupt surface file: the body checksum does not match" + at(bodyStart + bodyLength);
    return false;
  }
  if (!decodeBody(data + bodyStart, static_cast<std::size_t>(bodyLength), bodyStart, c, error)) return false;
  // The triangles: whatever is wrong with them, the definition stands and the surface is
  // made from it.
  const std::size_t sectionAt = bodyStart + static_cast<std::size_t>(bodyLength) + 4;
  std::size_t start = 0, length = 0;
  switch (findSection(data, size, sectionAt, start, length)) {
    case Section::None: break;
    case Section::CutOff: c.triangulationProblem = "the triangles are cut off" + at(size); break;
    case Section::BadChecksum: c.triangulationProblem = "the triangles' checksum does not match" + at(start + length); break;
    case Section::Whole: {
      tin::SavedTriangulation t;
      if (!decodeTriangulation(data + start, length, t, c.triangulationProblem)) break;
      // The links, when the file has them; without them the load links the triangles itself.
      const std::size_t linksAt = start + length + 4;
      switch (findSection(data, size, linksAt, start, length)) {
        case Section::None: break;
        case Section::CutOff: c.linksProblem = "the links are cut off" + at(size); break;
        case Section::BadChecksum: c.linksProblem = "the links' checksum does not match" + at(start + length); break;
        case Section::Whole: {
          ByteReader r(data + start, length);
          if (r.u32() != t.triangles.size() || !r.ok())
            c.linksProblem = "the links are for another number of triangles";
          else
            tin::decodeLinks(t.triangles, std::span(data + start + 4, length - 4), t.neighbours, c.linksProblem);
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

bool readSurfaceFile(std::streambuf& in, KvbDepth depth, SurfaceFileContent& out, std::string& error) {
  // Read the parts one after another, never asking for more than the file has shown so far,
  // so a lying length in a damaged file costs no huge allocation.
  std::vector<unsigned char> bytes(kPrefix);
  if (!readExactly(in, bytes.data(), kPrefix)) {
    error = "not a surface file: it is shorter than the file prefix";
    return false;
  }
  const std::uint32_t headerLength = checkPrefix(bytes.data(), kPrefix, error);
  if (headerLength == 0) return false;
  bytes.resize(kPrefix + headerLength + 4);
  if (!readExactly(in, bytes.data() + kPrefix, headerLength + 4)) {
    error = "truncated surface file: the header ends early";
    return false;
  }
  if (depth == KvbDepth::Header) return decodeSurfaceFile(bytes.data(), bytes.size(), depth, out, error);

  const std::size_t lengthAt = bytes.size();
  bytes.resize(lengthAt + 8);
  if (!readExactly(in, bytes.data() + lengthAt, 8)) {
    error = "truncated surface file: it ends after the header" + at(lengthAt);
    return false;
  }
  ByteReader lengthReader(bytes.data() + lengthAt, 8);
  const std::uint64_t bodyLength = lengthReader.u64();
  const std::uint64_t wanted = bodyLength + 4;
  // Room for the rest of a stream that tells its length (a file, a string), at once: growing
  // a large file's bytes step by step copied them several times over.
  {
    const auto here = in.pubseekoff(0, std::ios_base::cur, std::ios_base::in);
    const auto end = here >= 0 ? in.pubseekoff(0, std::ios_base::end, std::ios_base::in) : here;
    if (here >= 0 && end >= here && in.pubseekoff(here, std::ios_base::beg, std::ios_base::in) == here)
      tin::detail::reserveLarge(bytes, bytes.size() + static_cast<std::size_t>(end - here));
  }
  // Grows in steps as the bytes arrive: a lying length costs no more than the file holds.
  auto readUpTo = [&](std::uint64_t wanted) {
    constexpr std::size_t kChunk = std::size_t{1} << 24;
    std::uint64_t got = 0;
    while (got < wanted) {
      const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, wanted - got));
      const std::size_t before = bytes.size();
      bytes.resize(before + n);
      const auto read = static_cast<std::size_t>(in.sgetn(reinterpret_cast<char*>(bytes.data() + before),
                                                          static_cast<std::streamsize>(n)));
      bytes.resize(before + read);
      got += read;
      if (read < n) return false;
    }
    return true;
  };
  // The sections after the body (the triangles, their links), when the file has them.
  auto readSection = [&] {
    const std::size_t sectionAt = bytes.size();
    if (!readUpTo(8) || bytes.size() != sectionAt + 8) return false;
    ByteReader sectionLength(bytes.data() + sectionAt, 8);
    return readUpTo(sectionLength.u64() + 4);
  };
  if (readUpTo(wanted) && readSection()) readSection();
  return decodeSurfaceFile(bytes.data(), bytes.size(), depth, out, error);
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
