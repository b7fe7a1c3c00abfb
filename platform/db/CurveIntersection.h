// Intersections of two curves given as pieces (see CurvePath.h), both
// projected onto a plane along its normal. Each point found is returned on
// the first curve, in world coordinates (the first curve's own height above
// the plane at that point).
#pragma once

#include "base/ErrorStatus.h"
#include "ge/AcGePointArrays.h"
#include "CurvePath.h"

namespace uv {

// Relative tolerance of "on the curve" and of merging equal points,
// multiplied by the size of the coordinates involved.
constexpr double kIntersectionTolerance = 1e-9;

// extendA/extendB: a single straight piece becomes its infinite line, a
// single arc its full circle. Pieces that overlap give the ends of the
// overlap. eNotApplicable when an arc's plane is not parallel to the plane
// of projection (its projection is no arc).
Acad::ErrorStatus intersectPaths(const CurvePath& a, bool extendA, const CurvePath& b, bool extendB,
                                 const AcGePlane& plane, AcGePoint3dArray& points);

}  // namespace uv
