// An ellipse or elliptical arc: centre and major axis (world coordinates),
// the ratio of the minor to the major radius, in the plane of its normal,
// from the start to the end parameter (radians, counter-clockwise seen from
// the normal's tip; 0 and 2 pi for a whole ellipse). The point at parameter
// t is
//
//   centre + cos t * major axis + sin t * minor axis,
//
// where the minor axis is (normal x major axis) * ratio. The parameters are
// kept as given; the arc runs counter-clockwise from start to end, a whole
// turn when they are equal modulo 2 pi.
#pragma once

#include <vector>

#include "AcDbCurve.h"

class AcDbEllipse : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbEllipse);
  UV_DECLARE_CLONE(AcDbEllipse);
  AcDbEllipse() = default;

  AcGePoint3d center() const { return m_center; }
  AcGeVector3d majorAxis() const { return m_majorAxis; }
  AcGeVector3d minorAxis() const;
  AcGeVector3d normal() const { return m_normal; }
  double radiusRatio() const { return m_ratio; }
  double startParam() const { return m_start; }
  double endParam() const { return m_end; }
  // The parameter range the arc sweeps, in (0, 2 pi].
  double sweep() const;
  // The whole shape at once: eInvalidInput (nothing changes) for a zero
  // normal or major axis, a major axis not in the plane of the normal, a
  // ratio outside (0, 1] or values that are not finite.
  Acad::ErrorStatus set(const AcGePoint3d& centre, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
                        double radiusRatio, double startParam = 0, double endParam = 6.283185307179586);
  AcGePoint3d pointAtParam(double t) const;

  bool isClosed() const override;
  // Points from start to end, piecesPerTurn pieces to a whole turn (at
  // least 4 pieces).
  std::vector<AcGePoint3d> sample(int piecesPerTurn) const;
  // Straight pieces, kPiecesPerTurn to a whole turn.
  bool getCurvePath(uv::CurvePath& path) const override;
  // Exact: the ends and the points where a coordinate turns.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  static constexpr int kPiecesPerTurn = 96;

 private:
  AcGePoint3d m_center;
  AcGeVector3d m_majorAxis{1, 0, 0};
  AcGeVector3d m_normal{0, 0, 1};
  double m_ratio = 1;
  double m_start = 0;
  double m_end = 6.283185307179586;
};
