// From drawing coordinates in plan (x right, y up) to the pixels of an image
// (x right, y down): a uniform scale about a view centre.
#pragma once

#include <QPointF>
#include <QSize>
#include <QTransform>

#include "db/AcDbExtents.h"
#include "ge/AcGePoint3d.h"

namespace uv::render {

class ViewMapping {
 public:
  // Shows the view of this centre and height (drawing units) in an image of
  // this size; the width follows from the image's aspect.
  ViewMapping(const AcGePoint3d& centre, double height, const QSize& size);

  // The box whole and centred, with `margin` pixels free on every side. An
  // empty box shows the origin; a box without width or height keeps a
  // scale at which its length (or 10 units for a single point) fills the image.
  static ViewMapping fitting(const AcDbExtents& box, const QSize& size, double margin);

  QPointF toPixel(double x, double y) const {
    return {m_size.width() / 2.0 + (x - m_centre.x) * m_scale, m_size.height() / 2.0 - (y - m_centre.y) * m_scale};
  }
  QPointF toPixel(const AcGePoint3d& p) const { return toPixel(p.x, p.y); }
  AcGePoint3d toDrawing(const QPointF& pixel) const;
  double pixelsPerUnit() const { return m_scale; }
  const AcGePoint3d& centre() const { return m_centre; }
  // The view's height in drawing units.
  double height() const { return m_size.height() / m_scale; }
  const QSize& size() const { return m_size; }
  // The same mapping for QPainter (drawing x, y in; pixels out).
  QTransform transform() const;

 private:
  AcGePoint3d m_centre;
  double m_scale;
  QSize m_size;
};

}  // namespace uv::render
