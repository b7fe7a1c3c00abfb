// The plan geometry of the area a surface is shown in: which points lie in
// the area polygon, closing a picked polygon, and the rectangle of the
// current view.
#pragma once

#include "ge/AcGePointArrays.h"

namespace uv::display {

// Ends closer than this (3D distance, drawing units) count as one point.
constexpr double kCloseTolerance = 0.01;

// Appends the first point again when the polygon is not empty and its ends
// lie more than kCloseTolerance apart.
void CloseAreaPolygon(AcGePoint3dArray& polygon);

// The view rectangle as the five points of a closed polygon at z 0, starting
// and ending at the upper right corner: (UR), (URx, LLy), (LL), (LLx, URy),
// (UR). The centre and height of the view are in drawing units, the width
// and height of the viewport in pixels; the rectangle has the viewport's
// proportions.
AcGePoint3dArray ViewRectangle(const AcGePoint3d& centre, double viewHeight, double screenWidth,
                               double screenHeight);

}  // namespace uv::display

// Even-odd rule in plan (z ignored): a ray from p towards +x crosses the
// sides of the polygon. A side counts when p's y lies in [lower end, upper
// end) of the side, so that a vertex on the ray is counted once and a
// horizontal side never; a crossing exactly at p's x does not count. The
// polygon may be closed (first point repeated) or not: the side from the
// last point to the first is always taken. An empty polygon holds nothing.
bool IsInsidePolygon(const AcGePoint3dArray& polygon, const AcGePoint3d& p);
