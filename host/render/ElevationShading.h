// 3D faces filled by their elevation: a colour ramp over the range of the
// faces' elevations (low green, through yellow and brown, to high white, as
// a hypsometric map has it) and the legend that says which colour is which
// elevation.
//
//   ElevationShading s = ElevationShading::ofFaces(db);   // the range
//   painter fills each face with s.colour(mean z of its corners)
//   s.paintLegend(painter, size);                        // at the right
#pragma once

#include <QColor>
#include <QRectF>
#include <QSize>

class AcDbDatabase;
class QPainter;

namespace uv::render {

class ElevationShading {
 public:
  ElevationShading(double low, double high) : m_low(low), m_high(high) {}
  // The elevation range of the 3D faces of model space (corners that are
  // numbers only); none when there is no face.
  static bool rangeOfFaces(const AcDbDatabase& db, double& low, double& high);

  double low() const { return m_low; }
  double high() const { return m_high; }
  // The ramp's colour at z (the ends for elevations outside the range; the
  // middle for a range without height).
  QColor colour(double z) const;
  // Where the legend's colour bar lies in a picture of this size: along the
  // right edge, from a fifth of the height to four fifths.
  static QRectF legendBar(const QSize& size);
  // The bar, highest elevation at the top, with five elevations written
  // beside it ("%.2f"), in the colour that stands out on the background.
  void paintLegend(QPainter& painter, const QSize& size, const QColor& background) const;

 private:
  double m_low, m_high;
};

}  // namespace uv::render
