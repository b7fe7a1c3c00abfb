// The object coordinate system of a planar entity with the given normal,
// by the arbitrary-axis rule of DXF: the x axis is Wy x N when N lies within
// 1/64 of the world z axis, Wz x N otherwise. Arcs, circles, texts,
// attributes and block references keep their points in it in files, while
// the drawing keeps world points.
#pragma once

#include "ge/AcGePoint3d.h"
#include "ge/AcGeVector3d.h"

namespace uv::dxf {

class Ocs {
 public:
  explicit Ocs(const AcGeVector3d& normal);
  bool isWorld() const { return m_world; }
  AcGePoint3d toWorld(const AcGePoint3d& p) const;
  AcGePoint3d toOcs(const AcGePoint3d& p) const;

 private:
  AcGeVector3d m_x, m_y, m_z;
  bool m_world;
};

}  // namespace uv::dxf
