// What the engine's drape takes from each kind of linework: the points
// and one bulge per point (bulge i belongs to the stretch from point i to
// point i + 1; the last one is not used). The closed flag of a polyline is
// not read: only its vertices and bulges are handed on.
#pragma once

#include "ge/AcGePointArrays.h"

class AcDbArc;
class AcDbLine;
class AcDb2dPolyline;
class CKVLC3dPolylinePtr;
class CKVLCPolylineLWPtr;

namespace uv::projection {

// The bulge of an arc from the angle a1 of its start to the angle a2 of
// its end (radians, as acutAngle gives them, 0 to 2 pi): tan(theta / 4)
// for the counter-clockwise angle theta from a1 to a2.
//
//   a1 = 0, a2 = pi / 2   ->  tan(pi / 8) = 0.4142
//   a1 = 3 pi / 2, a2 = pi / 2   ->  1 / tan(pi / 4) = 1   (a half circle)
double ArcBulge(double a1, double a2);

// Each fills both arrays afresh and returns their length.
int LinePath(const AcDbLine& line, AcGePoint3dArray& points, AcGeDoubleArray& bulges);
// Start and end point, both with the arc's bulge.
int ArcPath(const AcDbArc& arc, AcGePoint3dArray& points, AcGeDoubleArray& bulges);
// The vertices, each with the host's bulge at its index (0 where it has
// none).
int LwPolylinePath(const CKVLCPolylineLWPtr& polyline, AcGePoint3dArray& points, AcGeDoubleArray& bulges);
// Every vertex of the polyline's vertex iterator that opens for read, at
// its position in the world, with its bulge; a vertex that does not open
// is left out.
int Polyline2dPath(const AcDb2dPolyline& polyline, AcGePoint3dArray& points, AcGeDoubleArray& bulges);
// The vertices, all with bulge 0.
int Polyline3dPath(const CKVLC3dPolylinePtr& polyline, AcGePoint3dArray& points, AcGeDoubleArray& bulges);

}  // namespace uv::projection
