#include "AcDbHatch.h"

UV_DEFINE_RX_MEMBERS(AcDbHatch, AcDbRawEntity, L"HATCH")

int AcDbHatch::loopTypeAt(int index) const {
  return index >= 0 && index < numLoops() ? m_loops[size_t(index)].type : kDefault;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int index, std::vector<AcGePoint3d>& points) const {
  if (index < 0 || index >= numLoops()) return Acad::eInvalidIndex;
  points = m_loops[size_t(index)].points;
  return Acad::eOk;
}

bool AcDbHatch::getCurvePath(uv::CurvePath& path) const {
  path.clear();
  for (const Loop& loop : m_loops) uv::appendPolylinePieces(path, loop.points, nullptr, true, m_normal);
  return !path.empty();
}
