#include "AcDb2dVertex.h"

UV_DEFINE_RX_MEMBERS(AcDbVertex, AcDbEntity, nullptr)
UV_DEFINE_RX_MEMBERS(AcDb2dVertex, AcDbVertex, L"VERTEX")

#define UV_VERTEX_SETTER(NAME, TYPE, MEMBER)        \
  Acad::ErrorStatus AcDb2dVertex::NAME(TYPE v) {    \
    if (!writeOk()) return Acad::eNotOpenForWrite;  \
    MEMBER = v;                                     \
    return Acad::eOk;                               \
  }
UV_VERTEX_SETTER(setVertexType, AcDb::Vertex2dType, m_type)
UV_VERTEX_SETTER(setPosition, const AcGePoint3d&, m_position)
UV_VERTEX_SETTER(setBulge, double, m_bulge)
UV_VERTEX_SETTER(setTangent, double, m_tangent)
#undef UV_VERTEX_SETTER

Acad::ErrorStatus AcDb2dVertex::setStartWidth(double w) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (w < 0) return Acad::eInvalidInput;
  m_startWidth = w;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::setEndWidth(double w) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (w < 0) return Acad::eInvalidInput;
  m_endWidth = w;
  return Acad::eOk;
}
