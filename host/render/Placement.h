// Where the contents of a block land: the affine map from a block's own
// coordinates to the drawing's, composed down nested references.
#pragma once

#include <QTransform>

#include "ge/AcGePoint3d.h"

class AcDbBlockReference;

namespace uv::render {

class Placement {
 public:
  // The identity: model space itself.
  Placement() = default;
  // What the reference does to the points of its block (base point,
  // scale, rotation, normal), read off its own blockToWorld.
  static Placement of(const AcDbBlockReference& reference);

  AcGePoint3d apply(const AcGePoint3d& p) const;
  AcGeVector3d applyVector(const AcGeVector3d& v) const;
  // This placement followed by `outer` (a block inside a block).
  Placement then(const Placement& outer) const;
  // The largest stretch a direction in plan suffers: turns lengths of the
  // block (dashes, arc tolerances) into drawing lengths.
  double planScale() const;
  // The x, y part as a QTransform, without translation (orients texts).
  QTransform planLinear() const;
  bool isIdentity() const;

 private:
  // Columns: images of the unit axes; then the image of the origin.
  AcGeVector3d m_x{1, 0, 0}, m_y{0, 1, 0}, m_z{0, 0, 1};
  AcGeVector3d m_t{0, 0, 0};
};

}  // namespace uv::render
