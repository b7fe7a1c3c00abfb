// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/BinaryIo.h"

#include <array>
#include <cstring>

#include "base/TextCase.h"

namespace uv::engine {

namespace {

std::array<std::uint32_t, 256> makeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}

}  // namespace

std::uint32_t crc32(const unsigned char* data, std::size_t size, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = makeCrcTable();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
  return ~crc;
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
