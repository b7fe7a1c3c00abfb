// SPDX-License-Identifier: GPL-3.0-or-later
// Little-endian encoding of numbers and texts into byte buffers, and a CRC-32 over them: the
// building blocks of the surface file. Every value is written byte by byte, so files are the
// same on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace uv::engine {

// CRC-32 (the polynomial of zip and PNG), continued from `crc` over the bytes.
std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc = 0);

class ByteWriter {
 public:
  void u8(std::uint8_t v) { m_bytes.push_back(v); }
  void u16(std::uint16_t v);
  void u32(std::uint32_t v);
  void u64(std::uint64_t v);
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void f64(double v);
  // A text as its UTF-8 length (u32) and bytes.
  void text(std::wstring_view s);
  void raw(const void* data, std::size_t size);
  // Many numbers at once, the same bytes as one by one.
  void f64s(const double* v, std::size_t n);
  void i32s(const std::int32_t* v, std::size_t n);

  const std::vector<unsigned char>& bytes() const { return m_bytes; }
  std::vector<unsigned char>& bytes() { return m_bytes; }
  std::size_t size() const { return m_bytes.size(); }

 private:
  std::vector<unsigned char> m_bytes;
};

// Reads from a byte range. Every read checks that the bytes are there; a short read sets the
// failed state, reads nothing more and returns zeros, so a caller checks ok() once at the end
// of a block and a truncated or lying file never reads past its end.
class ByteReader {
 public:
  ByteReader(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}

  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  std::uint64_t u64();
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  double f64();
  std::wstring text();
  // Many numbers at once; zeros and the failed state when they are not all there.
  void f64s(double* out, std::size_t n);
  void i32s(std::int32_t* out, std::size_t n);
  // Whether `count` items of `itemSize` bytes can still be there; fails the reader if not,
  // so a corrupt count never leads to a huge allocation.
  bool expect(std::uint64_t count, std::size_t itemSize);

  bool ok() const { return !m_failed; }
  std::size_t position() const { return m_pos; }
  std::size_t remaining() const { return m_size - m_pos; }

 private:
  bool take(std::size_t n);
  const unsigned char* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
  bool m_failed = false;
};

}  // namespace uv::engine
