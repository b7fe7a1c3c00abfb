#include "host/render/ElevationShading.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "db/AcDbObjectPointer.h"

namespace uv::render {

namespace {

struct Stop {
  double at;
  QColor colour;
};

// Low ground green, then yellow, brown and the white of the heights.
const Stop kRamp[] = {
    {0.00, QColor(38, 115, 77)},  {0.25, QColor(122, 173, 84)}, {0.50, QColor(236, 219, 121)},
    {0.75, QColor(181, 120, 64)}, {1.00, QColor(245, 240, 235)},
};

QColor mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

QColor rampAt(double t) {
  t = std::clamp(t, 0.0, 1.0);
  for (size_t i = 1; i < std::size(kRamp); ++i)
    if (t <= kRamp[i].at)
      return mix(kRamp[i - 1].colour, kRamp[i].colour, (t - kRamp[i - 1].at) / (kRamp[i].at - kRamp[i - 1].at));
  return kRamp[std::size(kRamp) - 1].colour;
}

}  // namespace

bool ElevationShading::rangeOfFaces(const AcDbDatabase& db, double& low, double& high) {
  bool any = false;
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  if (space.openStatus() != Acad::eOk) return false;
  for (AcDbObject* object : space->entities(true)) {
    const auto* face = AcDbFace::cast(object);
    if (!face) continue;
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d p;
      if (face->getVertexAt(i, p) != Acad::eOk || !std::isfinite(p.z)) continue;
      low = any ? std::min(low, p.z) : p.z;
      high = any ? std::max(high, p.z) : p.z;
      any = true;
    }
  }
  return any;
}

QColor ElevationShading::colour(double z) const {
  if (!(m_high > m_low)) return rampAt(0.5);
  return rampAt((z - m_low) / (m_high - m_low));
}

QRectF ElevationShading::legendBar(const QSize& size) {
  const double w = std::max(12.0, size.width() * 0.018);
  const double right = size.width() - std::max(8.0, size.width() * 0.02);
  return QRectF(right - w, size.height() * 0.2, w, size.height() * 0.6);
}

void ElevationShading::paintLegend(QPainter& painter, const QSize& size, const QColor& background) const {
  const QRectF bar = legendBar(size);
  painter.save();
  QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
  for (const Stop& s : kRamp) gradient.setColorAt(s.at, s.colour);
  painter.setPen(Qt::NoPen);
  painter.fillRect(bar, m_high > m_low ? QBrush(gradient) : QBrush(rampAt(0.5)));
  const QColor ink = background.lightness() >= 128 ? QColor(0, 0, 0) : QColor(255, 255, 255);
  painter.setPen(QPen(ink, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bar);

  QFont font = painter.font();
  font.setPixelSize(std::clamp(int(size.height() * 0.016), 9, 16));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  constexpr int kLabels = 5;
  for (int i = 0; i < kLabels; ++i) {
    const double t = double(i) / (kLabels - 1);
    const double y = bar.bottom() - t * bar.height();
    const QString text = QString::asprintf("%.2f", m_low + t * (m_high - m_low));
    const double x = bar.left() - 6 - metrics.horizontalAdvance(text);
    painter.drawLine(QPointF(bar.left() - 4, y), QPointF(bar.left(), y));
    painter.drawText(QPointF(x, y + metrics.ascent() / 2 - 1), text);
  }
  painter.restore();
}

}  // namespace uv::render
