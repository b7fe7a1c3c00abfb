// Fuzz target: the surface file reader (product/engine/KvbFormat) and the
// rebuild of what it accepts. Any bytes are refused with a message or give
// a definition whose numbers are places; that definition (and the saved
// triangles, where the file has them whole) writes back to bytes that read
// as the same, and the surface made from them, taken from the saved
// triangles or built afresh when they do not fit, has only vertices that are
// in the file. Each input is also read with its checksums made right, so
// that mutations reach the fields behind them (the triangles' links too).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <stdexcept>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "product/engine/BinaryIo.h"
#include "product/engine/KvbFormat.h"
#include "tin/Surface.h"

namespace {

// Rebuilding is the expensive part; a fuzzer's small inputs stay far below.
constexpr std::size_t kMaxRebuildItems = 50000;

void rebuild(const tin::Definition& d, std::optional<tin::SavedTriangulation> saved) {
  if (d.points.size() + d.breakLines.size() + d.swaps.size() > kMaxRebuildItems) return;
  if (saved && saved->triangles.size() + saved->extraVertices.size() > kMaxRebuildItems) return;
  std::set<std::pair<double, double>> places;
  for (const tin::Point3& p : d.points) places.insert({p.x, p.y});
  for (const tin::Segment3& s : d.breakLines) {
    places.insert({s.a.x, s.a.y});
    places.insert({s.b.x, s.b.y});
  }
  double extent = 0.0;
  if (saved)
    for (const tin::Point3& p : saved->extraVertices) places.insert({p.x, p.y});
  for (const auto& [x, y] : places) extent = std::max({extent, std::fabs(x), std::fabs(y)});
  try {
    std::string why;
    std::optional<tin::Surface> fromFile;
    if (saved) fromFile = tin::Surface::fromSaved(d, std::move(*saved), why);
    if (fromFile) UV_FUZZ_CHECK(fromFile->triangleCount() == 0 || fromFile->triangleAt(fromFile->mesh().vertices[0].plan()) >= 0,
                                "a point of saved triangles lies off them");
    else UV_FUZZ_CHECK(!saved || !why.empty(), "saved triangles refused without a reason");
    const tin::Surface surface = fromFile ? std::move(*fromFile) : tin::Surface::fromDefinition(d);
    if (!fromFile) {
      // A surface built afresh keeps its structure whatever the file held: links, the Delaunay
      // property, every break line as a chain of constrained edges.
      const tin::Validity valid = surface.isValid();
      if (!valid.ok()) std::fprintf(stderr, "%s\n", valid.problems.front().c_str());
      UV_FUZZ_CHECK(valid.ok(), "a surface built from the file is not whole");
    }
    // Many places at once, as one by one, to the bit: the batch walks start from what the read
    // made of the triangles' order, the single ones do not. The places: each vertex, and a point
    // between it and the next.
    {
      const std::vector<tin::Point3>& v = surface.mesh().vertices;
      std::vector<tin::Point2> places;
      for (std::size_t i = 0; i < v.size() && places.size() < 2000; ++i) {
        places.push_back(v[i].plan());
        const tin::Point3& n = v[(i + 1) % v.size()];
        places.push_back({(v[i].x + n.x) / 2, (v[i].y + n.y) / 2});
      }
      std::vector<double> many;
      surface.elevations(places, many);
      UV_FUZZ_CHECK(many.size() == places.size(), "elevations at once lost places");
      for (std::size_t i = 0; i < places.size(); ++i) {
        const std::optional<double> one = surface.elevation(places[i]);
        UV_FUZZ_CHECK(one ? many[i] == *one || (std::isnan(many[i]) && std::isnan(*one)) : std::isnan(many[i]),
                      "an elevation at once differs from the same one alone");
      }
    }
    const tin::Extents e = surface.extents();
    if (!e.empty)
      UV_FUZZ_CHECK(std::fabs(e.min.x) <= extent && std::fabs(e.max.x) <= extent && std::fabs(e.min.y) <= extent &&
                        std::fabs(e.max.y) <= extent,
                    "a vertex lies outside every input");
  } catch (const std::invalid_argument&) {
    // Settings the surface refuses (a tolerance of 0...) are refused the same way everywhere.
  }
}

// The same bytes with both checksums made right, so that mutations reach the fields behind
// them instead of stopping at the checksum test.
std::vector<std::uint8_t> withChecksumsRepaired(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> b(data, data + size);
  auto u32At = [&](std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
  };
  auto putU32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
  };
  if (b.size() < 16) return b;
  const std::size_t headerEnd = 16 + std::size_t(u32At(12));
  if (headerEnd < 16 || b.size() < headerEnd + 4) return b;
  putU32(headerEnd, uv::engine::crc32(b.data(), headerEnd));
  const std::size_t bodyStart = headerEnd + 12;
  if (b.size() < bodyStart) return b;
  const std::uint64_t bodyLength = std::uint64_t(u32At(headerEnd + 4)) | std::uint64_t(u32At(headerEnd + 8)) << 32;
  if (bodyLength > b.size() - bodyStart || b.size() - bodyStart - bodyLength < 4) return b;
  putU32(bodyStart + std::size_t(bodyLength), uv::engine::crc32(b.data() + bodyStart, std::size_t(bodyLength)));
  // The triangles' section behind the body, and their links behind it.
  std::size_t sectionAt = bodyStart + std::size_t(bodyLength) + 4;
  for (int section = 0; section < 2; ++section) {
    if (b.size() < sectionAt + 8) return b;
    const std::uint64_t length = std::uint64_t(u32At(sectionAt)) | std::uint64_t(u32At(sectionAt + 4)) << 32;
    if (length > b.size() - sectionAt - 8 || b.size() - sectionAt - 8 - length < 4) return b;
    putU32(sectionAt + 8 + std::size_t(length), uv::engine::crc32(b.data() + sectionAt + 8, std::size_t(length)));
    sectionAt += 8 + std::size_t(length) + 4;
  }
  return b;
}

void readAndRebuild(const std::uint8_t* data, std::size_t size) {
  for (auto depth : {uv::engine::KvbDepth::Header, uv::engine::KvbDepth::Whole}) {
    uv::engine::SurfaceFileContent content;
    std::string error;
    const bool read = uv::engine::decodeSurfaceFile(data, size, depth, content, error);
    // A file on disk is read part by part from a stream: it must say what its bytes in memory say.
    uv::engine::SurfaceFileContent streamed;
    std::string streamError;
    std::stringbuf file(std::string(reinterpret_cast<const char*>(data), size));
    UV_FUZZ_CHECK(uv::engine::readSurfaceFile(file, depth, streamed, streamError) == read && streamError == error,
                  "the file read from a stream is judged otherwise than its bytes");
    UV_FUZZ_CHECK(!read || (streamed.definition == content.definition && streamed.layers == content.layers &&
                            streamed.triangulation == content.triangulation &&
                            streamed.triangulationProblem == content.triangulationProblem &&
                            streamed.linksProblem == content.linksProblem),
                  "the file read from a stream reads as another");
    if (!read) {
      UV_FUZZ_CHECK(!error.empty(), "a refusal without a message");
      continue;
    }
    if (depth == uv::engine::KvbDepth::Header) continue;
    const auto bytes = uv::engine::encodeSurfaceFile(content);
    uv::engine::SurfaceFileContent again;
    UV_FUZZ_CHECK(uv::engine::decodeSurfaceFile(bytes.data(), bytes.size(), depth, again, error),
                  "a surface written back cannot be read");
    UV_FUZZ_CHECK(again.definition == content.definition && again.layers == content.layers &&
                      again.triangulation == content.triangulation,
                  "a surface written back reads as another");
    rebuild(content.definition, std::move(content.triangulation));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  readAndRebuild(data, size);
  const std::vector<std::uint8_t> repaired = withChecksumsRepaired(data, size);
  readAndRebuild(repaired.data(), repaired.size());
  return 0;
}
