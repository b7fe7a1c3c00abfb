// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of the canonical mesh order (see orderMesh() in Mesh.h), shared by orderMesh() and
// the triangulation that builds a mesh straight in that order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "tin/Geometry.h"
#include "tin/Mesh.h"

namespace tin::detail {

// A triangle that takes no part in the order.
inline constexpr std::uint64_t kNoPlace = ~std::uint64_t{0};

// place[t] is triangle t's place on meshCurve() (kNoPlace for none); afterwards it is its index
// in the order of places, equal places ordered by corners(t) (its point indices from the
// smallest on, compared in turn). Returns the number of triangles ordered. Sorts bucket by
// bucket on the places' top bits, each bucket in a small buffer: no second copy of the places.
std::size_t renumberAlongCurve(std::vector<std::uint64_t>& place, const std::function<Triangle(std::int32_t)>& corners);

// Fills vertexTriangle (the first triangle at each of vertexCount vertices) and boundarySides
// (in triangle order) from the triangles and neighbours of mesh.
void indexVerticesAndBoundary(Mesh& mesh, std::size_t vertexCount);
// Fills boundarySides alone, for a caller that has vertexTriangle already.
void indexBoundary(Mesh& mesh);

}  // namespace tin::detail
