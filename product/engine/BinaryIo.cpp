// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/BinaryIo.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "base/TextCase.h"

namespace uv::engine {

std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc) {
  // zlib's, many bytes a step: a large surface's checksum costs a few milliseconds.
  constexpr std::size_t kStep = std::size_t{1} << 30;
  uLong c = crc;
  for (std::size_t at = 0; at < size; at += kStep)
    c = ::crc32(c, data + at, static_cast<uInt>(std::min(kStep, size - at)));
  return static_cast<std::uint32_t>(c);
}

void ByteWriter::u16(std::uint16_t v) {
  u8(static_cast<std::uint8_t>(v));
  u8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::u32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::u64(std::uint64_t v) {
  for (int i = 0; i < 8; ++i) u8(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::f64(double v) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  u64(bits);
}

void ByteWriter::text(std::wstring_view s) {
  const std::string utf8 = uv::toUtf8(s);
  u32(static_cast<std::uint32_t>(utf8.size()));
  raw(utf8.data(), utf8.size());
}

void ByteWriter::raw(const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  m_bytes.insert(m_bytes.end(), p, p + size);
}

namespace {
constexpr bool kLittleEndian = std::endian::native == std::endian::little;
}

void ByteWriter::f64s(const double* v, std::size_t n) {
  if constexpr (kLittleEndian) {
    raw(v, n * sizeof(double));
  } else {
    for (std::size_t i = 0; i < n; ++i) f64(v[i]);
  }
}

void ByteWriter::i32s(const std::int32_t* v, std::size_t n) {
  if constexpr (kLittleEndian) {
    raw(v, n * sizeof(std::int32_t));
  } else {
    for (std::size_t i = 0; i < n; ++i) i32(v[i]);
  }
}

void ByteReader::f64s(double* out, std::size_t n) {
  if (n == 0) return;  // out may be the null data of an empty array
  if (!expect(n, sizeof(double))) {
    std::fill(out, out + n, 0.0);
    return;
  }
  if constexpr (kLittleEndian) {
    std::memcpy(out, m_data + m_pos, n * sizeof(double));
    m_pos += n * sizeof(double);
  } else {
    for (std::size_t i = 0; i < n; ++i) out[i] = f64();
  }
}

void ByteReader::i32s(std::int32_t* out, std::size_t n) {
  if (n == 0) return;  // out may be the null data of an empty array
  if (!expect(n, sizeof(std::int32_t))) {
    std::fill(out, out + n, 0);
    return;
  }
  if constexpr (kLittleEndian) {
    std::memcpy(out, m_data + m_pos, n * sizeof(std::int32_t));
    m_pos += n * sizeof(std::int32_t);
  } else {
    for (std::size_t i = 0; i < n; ++i) out[i] = i32();
  }
}

bool ByteReader::take(std::size_t n) {
  if (m_failed || n > m_size - m_pos) {
    m_failed = true;
    return false;
  }
  return true;
}

std::uint8_t ByteReader::u8() {
  if (!take(1)) return 0;
  return m_data[m_pos++];
}

std::uint16_t ByteReader::u16() {
  if (!take(2)) return 0;
  const std::uint16_t v = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
  m_pos += 2;
  return v;
}

std::uint32_t ByteReader::u32() {
  if (!take(4)) return 0;
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(m_data[m_pos + i]) << (8 * i);
  m_pos += 4;
  return v;
}

std::uint64_t ByteReader::u64() {
  if (!take(8)) return 0;
  std::uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(m_data[m_pos + i]) << (8 * i);
  m_pos += 8;
  return v;
}

double ByteReader::f64() {
  const std::uint64_t bits = u64();
  double v = 0;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

std::wstring ByteReader::text() {
  const std::uint32_t n = u32();
  if (!take(n)) return {};
  std::string utf8(reinterpret_cast<const char*>(m_data + m_pos), n);
  m_pos += n;
  return uv::fromUtf8(utf8);
}

bool ByteReader::expect(std::uint64_t count, std::size_t itemSize) {
  if (m_failed) return false;
  if (itemSize != 0 && count > (m_size - m_pos) / itemSize) {
    m_failed = true;
    return false;
  }
  return true;
}

}  // namespace uv::engine
