#pragma once

#include "AcDbEntity.h"

class AcDbPoint : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbPoint);
  UV_DECLARE_CLONE(AcDbPoint);
  AcDbPoint() = default;
  explicit AcDbPoint(const AcGePoint3d& position) : m_position(position) {}

  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& p);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double t);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& n);

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

 private:
  AcGePoint3d m_position;
  double m_thickness = 0;
  AcGeVector3d m_normal{0, 0, 1};
};
