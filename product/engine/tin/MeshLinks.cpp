// SPDX-License-Identifier: GPL-3.0-or-later
#include "tin/MeshLinks.h"

#include "tin/LargeArrays.h"

namespace tin {

namespace {

std::uint32_t back(std::size_t t, std::int32_t n) {
  return static_cast<std::uint32_t>(n >= 0 && static_cast<std::size_t>(n) < t ? t - static_cast<std::size_t>(n) : 0);
}

}  // namespace

std::vector<std::uint8_t> encodeLinks(std::span<const Neighbours> neighbours) {
  // Measured first, then written through a pointer: no growing, no check at every byte.
  std::size_t size = 0;
  for (std::size_t t = 0; t < neighbours.size(); ++t)
    for (const std::int32_t n : neighbours[t]) {
      const std::uint32_t d = back(t, n);
      size += 1 + (d >= 1u << 7) + (d >= 1u << 14) + (d >= 1u << 21) + (d >= 1u << 28);
    }
  std::vector<std::uint8_t> code;
  detail::reserveLarge(code, size);
  code.resize(size);
  std::uint8_t* out = code.data();
  for (std::size_t t = 0; t < neighbours.size(); ++t)
    for (const std::int32_t n : neighbours[t]) {
      std::uint32_t d = back(t, n);
      while (d >= 0x80) {
        *out++ = static_cast<std::uint8_t>(d | 0x80);
        d >>= 7;
      }
      *out++ = static_cast<std::uint8_t>(d);
    }
  return code;
}

bool decodeLinks(std::span<const Triangle> triangles, std::span<const std::uint8_t> code,
                 std::vector<Neighbours>& neighbours, std::string& why) {
  auto fail = [&](const char* reason) {
    neighbours.clear();
    why = reason;
    return false;
  };
  const std::size_t nt = triangles.size();
  detail::reserveWithRoom(neighbours, nt);
  neighbours.assign(nt, {-1, -1, -1});
  const std::uint8_t* p = code.data();
  const std::uint8_t* const end = p + code.size();
  for (std::size_t t = 0; t < nt; ++t) {
    const Triangle& tt = triangles[t];
    for (int i = 0; i < 3; ++i) {
      if (p == end) return fail("the links end before the triangles");
      std::uint32_t d = *p++;
      if (d >= 0x80) {
        // Five bytes at most: a distance back is below 2^31.
        d &= 0x7f;
        for (int shift = 7;; shift += 7) {
          if (p == end || shift > 28) return fail("a link is no number");
          const std::uint32_t b = *p++;
          d |= (b & 0x7f) << shift;
          if (b < 0x80) break;
        }
      }
      if (d == 0) continue;
      if (d > t) return fail("a link names no triangle");
      const std::size_t n = t - d;
      // Side i of t runs from a to b; its twin in n runs from b to a.
      const std::int32_t a = tt.v[(i + 1) % 3], b = tt.v[(i + 2) % 3];
      const Triangle& tn = triangles[n];
      int j = 0;
      while (j < 3 && !(tn.v[(j + 1) % 3] == b && tn.v[(j + 2) % 3] == a)) ++j;
      if (j == 3) return fail("a link joins triangles that share no side");
      if (neighbours[n][j] >= 0) return fail("a side is linked twice");
      neighbours[n][j] = static_cast<std::int32_t>(t);
      neighbours[t][i] = static_cast<std::int32_t>(n);
    }
  }
  if (p != end) return fail("the links go on after the triangles");
  return true;
}

}  // namespace tin
