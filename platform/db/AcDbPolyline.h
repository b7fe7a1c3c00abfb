// The lightweight polyline: 2D vertices in the plane of its normal at its
// elevation, each with a bulge (tan of a quarter of the arc's sweep to the
// next vertex, positive counter-clockwise) and start/end widths.
// Vertex indices out of range give eInvalidIndex.
#pragma once

#include <vector>

#include "ge/AcGePoint2d.h"
#include "AcDbCurve.h"

class AcDbPolyline : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPolyline);
  UV_DECLARE_CLONE(AcDbPolyline);
  explicit AcDbPolyline(unsigned int numVerts = 0);

  unsigned int numVerts() const { return unsigned(m_verts.size()); }
  // Inserts before index (appends when index >= numVerts). Negative widths
  // take the constant width.
  Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0., double startWidth = -1.,
                                double endWidth = -1.);
  Acad::ErrorStatus removeVertexAt(unsigned int index);
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
  // World coordinates: the 2D point at the elevation, in the normal's plane.
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& pt) const;
  Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& pt);
  Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
  Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
  Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
  Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
  // eInvalidInput when the segments' widths differ.
  Acad::ErrorStatus getConstantWidth(double& width) const;
  Acad::ErrorStatus setConstantWidth(double width);
  bool hasBulges() const;
  bool hasWidth() const;
  bool isOnlyLines() const { return !hasBulges(); }
  void reset(bool reuse, unsigned int numVerts);

  double elevation() const { return m_elevation; }
  void setElevation(double elevation);
  bool isClosed() const override { return m_closed; }
  void setClosed(bool closed);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double t);

  bool getCurvePath(uv::CurvePath& path) const override;

 private:
  struct Vertex {
    AcGePoint2d pt;
    double bulge = 0, startWidth = 0, endWidth = 0;
  };
  bool valid(unsigned int index) const { return index < m_verts.size(); }
  std::vector<Vertex> m_verts;
  double m_elevation = 0, m_thickness = 0, m_constantWidth = 0;
  bool m_closed = false;
  AcGeVector3d m_normal{0, 0, 1};
};
