// SPDX-License-Identifier: GPL-3.0-or-later
// The surface file (".kvb"): our own versioned, checksummed, little-endian binary format.
//
//   offset  size  what
//   0       8     magic 89 'K' 'V' 'B' 0D 0A 1A 0A (catches text-mode and 7-bit damage)
//   8       2     format version of the writer (3; 2 for a file without links, 1 for a file
//                 without triangles)
//   10      2     oldest format version a reader must understand to read the file (1)
//   12      4     header length H
//   16      H     header: name, description (texts: u32 UTF-8 length + bytes), point, break-line,
//                 swap and triangle counts (u32 each), extents (u8 empty flag, 6 f64: min x y z,
//                 max x y z)
//   16+H    4     CRC-32 of bytes 0 .. 16+H
//   20+H    8     body length B
//   28+H    B     body: plan tolerance and edge-length limit (f64), points (u32 n, n x 3 f64),
//                 break lines (u32 n, n x 6 f64), swaps (u32 n, n x 4 f64: plan ends of the
//                 diagonal), layer records (u32 n, n x {i32 type, text name, i32 colour,
//                 text linetype})
//   28+H+B  4     CRC-32 of the body
//   32+H+B  8     triangles length T (version 2; absent in version 1)
//   40+H+B  T     triangles (tin::SavedTriangulation): u8 editable, extra vertices (u32 n,
//                 n x 3 f64), triangles (u32 n, n x 3 i32), break lines' vertex chains (u32 n,
//                 n x {u32 m, m x i32}), flips (u32 n, n x 4 i32), swaps made (u32 n, n x u8)
//   40+H+B+T 4    CRC-32 of the triangles
//   44+H+B+T 8    links length L (version 3; absent before)
//   52+H+B+T L    links: u32 triangle count, then the code of each triangle's neighbours
//                 (tin/MeshLinks.h: per side, how far back its earlier neighbour is)
//   52+H+B+T+L 4  CRC-32 of the links
//
// The header can be read alone (a file list needs names without reading a million points).
// Header and body carry their lengths, so a later version may append fields to either and an
// older reader skips them; a change an older reader must not ignore raises the oldest-reader
// version. The triangles follow the body in a section of their own, which a version-1 reader
// never reads: it rebuilds the surface from its definition. A file without that section
// (written by version 1), or whose section is damaged (its checksum or its contents), is read
// whole all the same and the surface rebuilt from its definition, which the body's checksum
// vouches for; the section only saves the time of triangulating. The links after it save the
// time of linking the triangles: without them (an older file, or damaged links) the triangles
// are linked from scratch, to the same neighbours.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "tin/Definition.h"
#include "tin/Geometry.h"

namespace uv::engine {

inline constexpr std::uint16_t kKvbVersion = 3;

struct LayerData {
  int type = 0;
  std::wstring name;
  int colour = 7;
  std::wstring linetype;
  friend bool operator==(const LayerData&, const LayerData&) = default;
};

struct SurfaceFileHeader {
  std::wstring name;
  std::wstring description;
  std::uint32_t pointCount = 0;
  std::uint32_t breakLineCount = 0;
  std::uint32_t swapCount = 0;
  std::uint32_t triangleCount = 0;
  tin::Extents extents;
};

struct SurfaceFileContent {
  SurfaceFileHeader header;
  tin::Definition definition;
  std::vector<LayerData> layers;
  // The triangles as the surface had them; none in a version-1 file, and none (with the
  // reason in triangulationProblem) where the section is damaged.
  std::optional<tin::SavedTriangulation> triangulation;
  std::string triangulationProblem;
  // Why the triangles came without their links (triangulation->neighbours empty) in a file
  // that has them: they are then linked from scratch.
  std::string linksProblem;
};

enum class KvbDepth { Header, Whole };

// What a file is written from, by reference: a surface is saved without a copy of its points.
// The header's counts are taken from the definition.
struct SurfaceFileParts {
  const SurfaceFileHeader& header;
  const tin::Definition& definition;
  const std::vector<LayerData>& layers;
  const tin::SavedTriangulation* triangulation = nullptr;  // none: a version-1 file
  // The neighbours of the triangulation's triangles, for its links; none: a version-2 file.
  const std::vector<std::array<std::int32_t, 3>>* neighbours = nullptr;
  // The triangulation's triangles where they lie, its own list left empty: a large surface's
  // triangles are written from its mesh, not from a copy. None: the triangulation's own.
  const std::vector<tin::Triangle>* triangles = nullptr;
};

// Receives a file's bytes in order, piece by piece (a drawing keeps them in chunks).
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Told first how many bytes will come, so that room is made once.
  virtual void expect(std::uint64_t size) { (void)size; }
  virtual void put(const unsigned char* data, std::size_t size) = 0;
};

// The bytes in one array.
class ByteBuffer : public ByteSink {
 public:
  void expect(std::uint64_t size) override;
  void put(const unsigned char* data, std::size_t size) override { m_bytes.insert(m_bytes.end(), data, data + size); }
  std::vector<unsigned char> take() { return std::move(m_bytes); }

 private:
  std::vector<unsigned char> m_bytes;
};

// The bytes straight into a stream buffer (a file as it is written): a large surface's file is
// never held whole in memory. After a refusal (a full disk) it takes no more; ok() tells.
class StreamSink : public ByteSink {
 public:
  explicit StreamSink(std::streambuf& out) : m_out(out) {}
  void put(const unsigned char* data, std::size_t size) override;
  bool ok() const { return m_ok; }

 private:
  std::streambuf& m_out;
  bool m_ok = true;
};

// The file's bytes into the sink as they are made: no whole copy of the file in between.
void writeSurfaceFile(const SurfaceFileParts& parts, ByteSink& sink);
std::vector<unsigned char> encodeSurfaceFile(const SurfaceFileParts& parts);
std::vector<unsigned char> encodeSurfaceFile(const SurfaceFileContent& content);
// False when the stream refused bytes.
bool writeSurfaceFile(std::streambuf& out, const SurfaceFileContent& content);

// Fill `out` only on success; on failure `error` says what is wrong and at which byte, and
// `out` is untouched. Header depth reads nothing past the header's checksum.
bool decodeSurfaceFile(const unsigned char* data, std::size_t size, KvbDepth depth, SurfaceFileContent& out,
                       std::string& error);
bool readSurfaceFile(std::streambuf& in, KvbDepth depth, SurfaceFileContent& out, std::string& error);
// The file at `path`; the error says why without naming the file (a folder, a missing file, a
// read error or the content's fault).
bool readSurfaceFile(const std::wstring& path, KvbDepth depth, SurfaceFileContent& out, std::string& error);

}  // namespace uv::engine
