#pragma once

#include "AcDbCurve.h"

class AcDbLine : public AcDbCurve {
 public:
  ACRX_DECLARE_MEMBERS(AcDbLine);
  UV_DECLARE_CLONE(AcDbLine);
  AcDbLine() = default;
  AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : m_start(start), m_end(end) {}

  AcGePoint3d startPoint() const { return m_start; }
  Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
  AcGePoint3d endPoint() const { return m_end; }
  Acad::ErrorStatus setEndPoint(const AcGePoint3d& p);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double t);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);

  Acad::ErrorStatus getStartPoint(AcGePoint3d& p) const override { p = m_start; return Acad::eOk; }
  Acad::ErrorStatus getEndPoint(AcGePoint3d& p) const override { p = m_end; return Acad::eOk; }
  bool getCurvePath(uv::CurvePath& path) const override;
  bool isExtendable() const override { return true; }

 private:
  AcGePoint3d m_start, m_end;
  double m_thickness = 0;
  AcGeVector3d m_normal{0, 0, 1};
};
