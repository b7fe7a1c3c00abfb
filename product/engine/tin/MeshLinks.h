// SPDX-License-Identifier: GPL-3.0-or-later
// A mesh's links (each triangle's neighbour across each side) in a short form that a file keeps
// beside the triangles, so that a load reads them instead of working them out from the
// triangles (which was two thirds of a load).
//
// The code: for each triangle t in order and each of its sides i, one unsigned LEB128 number:
// 0 where no earlier triangle lies across the side (a later one may, or none), otherwise t - n
// for the earlier neighbour n. Each link is named once, by the later of its two triangles; in
// the canonical order neighbours lie close along the curve, so most numbers take a byte or two
// (about 4 bytes a triangle, where the neighbours themselves take 12).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tin/Geometry.h"

namespace tin {

using Neighbours = std::array<std::int32_t, 3>;

// The code of `neighbours` (a mesh's own: mutual, across the same side the other way round).
std::vector<std::uint8_t> encodeLinks(std::span<const Neighbours> neighbours);

// The neighbours the code gives `triangles` (-1 where a side has none), with room for edits to
// come. Every link is made both ways at once and only across the same side the other way
// round, and each side is linked once at most, whatever the code says: false, with the reason
// in `why` and `neighbours` empty, where the code does not fit the triangles.
bool decodeLinks(std::span<const Triangle> triangles, std::span<const std::uint8_t> code,
                 std::vector<Neighbours>& neighbours, std::string& why);

}  // namespace tin
