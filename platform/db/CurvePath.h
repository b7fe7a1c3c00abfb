// A curve entity as a chain of straight and circular pieces in world
// coordinates: what extents and intersections work on.
#pragma once

#include <vector>

#include "ge/AcGePlane.h"
#include "AcDbExtents.h"

namespace uv {

// From start to end; bulge 0 is straight, otherwise the piece is an arc in
// the plane through start with the given normal, bulge = tan(sweep / 4),
// positive counter-clockwise seen from the normal's tip.
struct CurveSegment {
  AcGePoint3d start, end;
  double bulge = 0;
  AcGeVector3d normal{0, 0, 1};
};

using CurvePath = std::vector<CurveSegment>;

// The axes of the object coordinate system of a normal (the arbitrary-axis
// rule of drawing files): x and y axes in the plane of the normal.
void ocsAxes(const AcGeVector3d& normal, AcGeVector3d& xAxis, AcGeVector3d& yAxis);
// A point given in the object coordinate system of normal, in world coordinates.
AcGePoint3d ocsToWorld(const AcGePoint3d& p, const AcGeVector3d& normal);
AcGePoint3d worldToOcs(const AcGePoint3d& p, const AcGeVector3d& normal);

// Centre and radius of an arc piece (bulge not 0).
void arcOfSegment(const CurveSegment& s, AcGePoint3d& centre, double& radius);
// The arc of centre, radius and angles (counter-clockwise from start to end,
// measured from the OCS x axis of normal) as one or two pieces; a full
// circle when the angles are equal.
void appendArc(CurvePath& path, const AcGePoint3d& centre, double radius, double startAngle, double endAngle,
               const AcGeVector3d& normal);
// The pieces through the vertices of a polyline (world coordinates), with
// the bulge of each vertex (none: all straight), closing back to the first
// vertex when closed. Repeated vertices add no piece.
void appendPolylinePieces(CurvePath& path, const std::vector<AcGePoint3d>& vertices, const std::vector<double>* bulges,
                          bool closed, const AcGeVector3d& normal);
// Adds the exact bounding box of the pieces.
void addPathExtents(const CurvePath& path, AcDbExtents& ext);

}  // namespace uv
