// A spline: a NURBS curve given by its control points (world coordinates),
// knots and weights, or by the fit points it passes through, or both, as
// drawing files give them. The curve drawn is the NURBS when there are
// control points, otherwise the cubic (or the spline's degree) through the
// fit points (uv::NurbsCurve::interpolate). The flags, tolerances and end
// tangents are kept as the file gave them.
#pragma once

#include <optional>
#include <vector>

#include "AcDbCurve.h"
#include "ge/NurbsCurve.h"

class AcDbSpline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbSpline);
  UV_DECLARE_CLONE(AcDbSpline);
  // The flags of drawing files (group 70).
  enum Flags { kClosed = 1, kPeriodic = 2, kRational = 4, kPlanar = 8, kLinear = 16 };
  AcDbSpline() = default;

  int degree() const { return m_degree; }
  int flags() const { return m_flags; }
  bool isRational() const { return (m_flags & kRational) != 0; }
  bool isPeriodic() const { return (m_flags & kPeriodic) != 0; }
  bool isClosed() const override { return (m_flags & kClosed) != 0; }
  int numControlPoints() const { return int(m_controls.points().size()); }
  Acad::ErrorStatus getControlPointAt(int index, AcGePoint3d& p) const;
  // The weights as given (empty for a spline that is not rational).
  const std::vector<double>& weights() const { return m_weights; }
  const std::vector<double>& knots() const { return m_controls.knots(); }
  int numFitPoints() const { return int(m_fits.size()); }
  Acad::ErrorStatus getFitPointAt(int index, AcGePoint3d& p) const;
  const std::optional<AcGeVector3d>& startTangent() const { return m_startTangent; }
  const std::optional<AcGeVector3d>& endTangent() const { return m_endTangent; }
  // Knot, control point and fit tolerances (groups 42, 43, 44), when given.
  const std::optional<double>& knotTolerance() const { return m_knotTolerance; }
  const std::optional<double>& controlPointTolerance() const { return m_controlTolerance; }
  const std::optional<double>& fitTolerance() const { return m_fitTolerance; }
  AcGeVector3d normal() const { return m_normal; }

  // The curve by control points: eInvalidInput (nothing changes) for data
  // uv::NurbsCurve::whyInvalid refuses. Weights make it rational; the
  // closed and periodic flags are set as given, the others kept.
  Acad::ErrorStatus setNurbsData(int degree, const std::vector<AcGePoint3d>& controls,
                                 const std::vector<double>& knots, const std::vector<double>& weights,
                                 bool closed = false, bool periodic = false);
  // The points the curve passes through, with the degree used when there
  // are no control points; eInvalidInput for a degree below 1 or a point
  // that is not finite.
  Acad::ErrorStatus setFitData(const std::vector<AcGePoint3d>& fits, int degree,
                               std::optional<AcGeVector3d> startTangent = {},
                               std::optional<AcGeVector3d> endTangent = {});
  // What files give beyond the curve: the flags as given (setNurbsData sets
  // the closed, periodic and rational bits by its data), tolerances.
  Acad::ErrorStatus setFileData(int flags, std::optional<double> knotTolerance, std::optional<double> controlTolerance,
                                std::optional<double> fitTolerance);
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);

  // The curve drawn (empty without enough data), its parameter range and points.
  uv::NurbsCurve curve() const;
  Acad::ErrorStatus getPointAtParam(double t, AcGePoint3d& p) const;

  // Straight pieces, kPiecesPerSpan in each knot span.
  bool getCurvePath(uv::CurvePath& path) const override;
  static constexpr int kPiecesPerSpan = 16;

 private:
  int m_degree = 3;
  int m_flags = kPlanar;
  uv::NurbsCurve m_controls;
  std::vector<double> m_weights;
  std::vector<AcGePoint3d> m_fits;
  std::optional<AcGeVector3d> m_startTangent, m_endTangent;
  std::optional<double> m_knotTolerance, m_controlTolerance, m_fitTolerance;
  AcGeVector3d m_normal{0, 0, 1};
};
