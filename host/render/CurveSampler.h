// Turns curve pieces (straight and circular, in a block's coordinates) into
// pixel polylines: through the block's placement, projected onto the plan,
// arcs cut into chords that stray less than a fraction of a pixel from the
// true arc, so that they look round at any zoom.
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <vector>

#include "db/CurvePath.h"
#include "host/render/Placement.h"
#include "host/render/ViewMapping.h"

namespace uv::render {

class CurveSampler {
 public:
  CurveSampler(const Placement& placement, const ViewMapping& view, double tolerancePixels = 0.25);

  QPointF map(const AcGePoint3d& p) const { return m_view.toPixel(m_placement.apply(p)); }
  // Pieces that join end to start form one polyline; a gap starts another.
  std::vector<QPolygonF> sample(const CurvePath& path) const;
  // Appends the piece's points after its start (which the caller has added).
  void appendSegment(const CurveSegment& segment, QPolygonF& out) const;
  // Pixels per drawing unit of the block, for dash lengths.
  double pixelsPerUnit() const { return m_view.pixelsPerUnit() * m_placement.planScale(); }

 private:
  const Placement& m_placement;
  const ViewMapping& m_view;
  double m_tolerance;
};

}  // namespace uv::render
