#include "AcDbCurve.h"

UV_DEFINE_RX_MEMBERS(AcDbCurve, AcDbEntity, nullptr)

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& p) const {
  uv::CurvePath path;
  if (!getCurvePath(path) || path.empty()) return Acad::eDegenerateGeometry;
  p = path.front().start;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& p) const {
  uv::CurvePath path;
  if (!getCurvePath(path) || path.empty()) return Acad::eDegenerateGeometry;
  p = path.back().end;
  return Acad::eOk;
}
