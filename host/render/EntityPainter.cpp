#include "host/render/EntityPainter.h"

#include <algorithm>
#include <numbers>

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "db/AcDbEllipse.h"
#include "db/AcDbFace.h"
#include "db/AcDbHatch.h"
#include "db/AcDbMText.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbSpline.h"
#include "db/AcDbText.h"
#include "db/AcDbWipeout.h"
#include "host/render/AciPalette.h"
#include "host/render/CurveSampler.h"
#include "host/render/ElevationShading.h"
#include "host/render/Placement.h"
#include "host/render/StyleResolver.h"
#include "host/render/ViewMapping.h"

namespace uv::render {

EntityPainter::EntityPainter(QPainter& painter, const ViewMapping& view, const StyleResolver& styles)
    : m_painter(painter), m_view(view), m_styles(styles) {}

Stroke EntityPainter::strokeFor(const Resolved& style, double pixelsPerUnit) const {
  Stroke s;
  s.colour = AciPalette::onBackground(style.colour, m_painter.background().color());
  s.width = StyleResolver::pixelWidth(style.lineWeight);
  s.pattern = DashPattern::scaled(m_styles.dashes(style.linetype), pixelsPerUnit * style.linetypeScale);
  return s;
}

void EntityPainter::stroke(const std::vector<QPolygonF>& lines, const Stroke& stroke) {
  QPen pen(stroke.colour, stroke.width, Qt::SolidLine, stroke.width > 1.5 ? Qt::RoundCap : Qt::FlatCap,
           Qt::RoundJoin);
  m_painter.setPen(pen);
  m_painter.setBrush(Qt::NoBrush);
  for (const QPolygonF& line : lines) {
    if (line.size() < 2) continue;
    DashPattern::Pieces pieces = stroke.pattern.apply(line);
    for (const QPolygonF& dash : pieces.dashes) m_painter.drawPolyline(dash);
    if (!pieces.dots.empty()) {
      QPen dotPen = pen;
      dotPen.setCapStyle(Qt::RoundCap);
      m_painter.setPen(dotPen);
      for (const QPointF& dot : pieces.dots) m_painter.drawPoint(dot);
      m_painter.setPen(pen);
    }
  }
}

void EntityPainter::mask(const AcDbWipeout& wipeout, const CurveSampler& sampler) {
  if (!(wipeout.displayFlags() & AcDbWipeout::kShow)) return;
  AcGePoint3dArray vertices;
  if (wipeout.getVertices(vertices) != Acad::eOk || vertices.length() < 3) return;
  QPolygonF area;
  for (const AcGePoint3d& p : vertices) area << sampler.map(p);
  m_painter.save();
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(m_painter.background().color());
  // Edge to edge with what it covers: no smoothing that would let a
  // covered line shine through the border pixels.
  m_painter.setRenderHint(QPainter::Antialiasing, false);
  m_painter.drawPolygon(area, Qt::WindingFill);
  m_painter.restore();
}

void EntityPainter::pointMark(const QPointF& at, const Stroke& stroke) {
  m_painter.setPen(QPen(stroke.colour, stroke.width));
  const double r = kPointMarkPixels;
  m_painter.drawLine(QPointF(at.x() - r, at.y()), QPointF(at.x() + r, at.y()));
  m_painter.drawLine(QPointF(at.x(), at.y() - r), QPointF(at.x(), at.y() + r));
}

double EntityPainter::meanElevation(const AcDbFace& face, QPolygonF* corners, const CurveSampler* sampler) {
  double z = 0;
  int n = 0;
  AcGePoint3d previous;
  for (Adesk::UInt16 i = 0; i < 4; ++i) {
    AcGePoint3d p;
    face.getVertexAt(i, p);
    if (i == 3 && p.isEqualTo(previous)) break;  // a triangle repeats its third corner
    if (corners) *corners << sampler->map(p);
    z += p.z;
    ++n;
    previous = p;
  }
  return z / n;
}

QColor EntityPainter::fillColour(const AcDbFace& face) const {
  return m_shading ? m_shading->colour(meanElevation(face, nullptr, nullptr)) : QColor();
}

void EntityPainter::fill(const AcDbFace& face, const Placement& placement) {
  if (!m_shading) return;
  const CurveSampler sampler(placement, m_view);
  QPolygonF corners;
  const QColor colour = m_shading->colour(meanElevation(face, &corners, &sampler));
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(colour);
  m_painter.drawPolygon(corners);
}

void EntityPainter::draw(const AcDbEntity& entity, const Resolved& style, const Placement& placement,
                         const std::wstring& shownText) {
  const CurveSampler sampler(placement, m_view);
  Stroke s = strokeFor(style, sampler.pixelsPerUnit());

  // Faces first: a terrain has millions of them.
  if (auto* face = AcDbFace::cast(&entity)) {
    // Over a filled face the edges take a shade darker than the fill, so
    // that the triangles read without drowning the colours.
    if (m_shading) s.colour = m_shading->colour(meanElevation(*face, nullptr, nullptr)).darker(118);
    drawEdges(*face, sampler, s);
    return;
  }
  if (auto* text = AcDbText::cast(&entity)) {
    m_text.draw(m_painter, *text, shownText.empty() ? std::wstring(text->textStringConst()) : shownText, s.colour,
                placement, m_view);
    return;
  }
  if (auto* wipeout = AcDbWipeout::cast(&entity)) {
    mask(*wipeout, sampler);
    return;
  }
  if (auto* mtext = AcDbMText::cast(&entity)) {
    drawParagraphs(*mtext, s.colour, placement);
    return;
  }
  if (auto* hatch = AcDbHatch::cast(&entity)) {
    drawHatch(*hatch, sampler, s);
    return;
  }
  if (auto* point = AcDbPoint::cast(&entity)) {
    pointMark(sampler.map(point->position()), s);
    return;
  }
  if (AcDbEllipse::cast(&entity) || AcDbSpline::cast(&entity)) {
    stroke({smoothCurve(entity, sampler)}, s);
    return;
  }
  CurvePath path;
  if (!entity.getCurvePath(path)) return;
  if (auto* poly = AcDbPolyline::cast(&entity)) {
    double width = 0;
    if (poly->getConstantWidth(width) == Acad::eOk && width > 0)
      s.width = std::max(s.width, width * sampler.pixelsPerUnit());
  }
  stroke(sampler.sample(path), s);
}

// The visible edges of a face, each corner mapped once; solid edges in one
// call with the pen of the face before, as a TIN's faces mostly share one.
void EntityPainter::drawEdges(const AcDbFace& face, const CurveSampler& sampler, const Stroke& s) {
  AcGePoint3d corners[4];
  QPointF pixels[4];
  for (Adesk::UInt16 i = 0; i < 4; ++i) {
    face.getVertexAt(i, corners[i]);
    pixels[i] = sampler.map(corners[i]);
  }
  QLineF edges[4];
  int n = 0;
  for (Adesk::UInt16 i = 0; i < 4; ++i) {
    Adesk::Boolean visible = false;
    face.isEdgeVisibleAt(i, visible);
    const int j = (i + 1) % 4;
    if (visible && !corners[i].isEqualTo(corners[j])) edges[n++] = QLineF(pixels[i], pixels[j]);
  }
  if (!s.pattern.isContinuous()) {
    std::vector<QPolygonF> lines;
    for (int i = 0; i < n; ++i) lines.push_back(QPolygonF({edges[i].p1(), edges[i].p2()}));
    stroke(lines, s);
    return;
  }
  if (n == 0) return;
  if (m_edgePen.color() != s.colour || m_edgePen.widthF() != s.width)
    m_edgePen = QPen(s.colour, s.width, Qt::SolidLine, s.width > 1.5 ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
  if (m_painter.pen() != m_edgePen) m_painter.setPen(m_edgePen);
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawLines(edges, n);
}

// Ellipses and splines as straight pieces of about kCurvePiecePixels each,
// counted from their length in pixels at the database's resolution.
QPolygonF EntityPainter::smoothCurve(const AcDbEntity& entity, const CurveSampler& sampler) {
  auto pixels = [&](const std::vector<AcGePoint3d>& points) {
    QPolygonF line;
    for (const AcGePoint3d& p : points) line << sampler.map(p);
    return line;
  };
  auto length = [](const QPolygonF& line) {
    double sum = 0;
    for (int i = 1; i < line.size(); ++i) sum += QLineF(line[i - 1], line[i]).length();
    return sum;
  };
  if (auto* ellipse = AcDbEllipse::cast(&entity)) {
    const QPolygonF coarse = pixels(ellipse->sample(AcDbEllipse::kPiecesPerTurn));
    const double turns = ellipse->sweep() / (2 * std::numbers::pi);
    const double pieces = std::clamp(length(coarse) / kCurvePiecePixels / turns, double(AcDbEllipse::kPiecesPerTurn), 8192.0);
    return pieces > AcDbEllipse::kPiecesPerTurn ? pixels(ellipse->sample(int(pieces))) : coarse;
  }
  const uv::NurbsCurve curve = AcDbSpline::cast(&entity)->curve();
  const QPolygonF coarse = pixels(curve.sample(AcDbSpline::kPiecesPerSpan));
  const double perSpan = std::clamp(length(coarse) / kCurvePiecePixels / std::max(1, curve.spanCount()),
                                    double(AcDbSpline::kPiecesPerSpan), 1024.0);
  return perSpan > AcDbSpline::kPiecesPerSpan ? pixels(curve.sample(int(perSpan))) : coarse;
}

// Each line of the paragraph text as a single-line text, stacked down from
// the top of the block that the attachment point places.
void EntityPainter::drawParagraphs(const AcDbMText& mtext, const QColor& colour, const Placement& placement) {
  const std::vector<std::wstring> lines = mtext.lines();
  const double h = mtext.textHeight(), step = mtext.lineStep();
  const double total = h + step * double(lines.size() - 1);
  const int col = (int(mtext.attachment()) - 1) % 3, row = (int(mtext.attachment()) - 1) / 3;
  const AcGeVector3d up = mtext.normal().crossProduct(mtext.direction());
  const AcGePoint3d top = mtext.location() + up * (total * row / 2.0);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    AcDbText line;
    const AcGePoint3d at = top - up * (h + step * double(i));
    line.setNormal(mtext.normal());
    line.setHeight(h);
    line.setRotation(mtext.rotation());
    line.setTextStyle(mtext.textStyle());
    line.setPosition(at);
    if (col > 0) {
      line.setHorizontalMode(col == 1 ? AcDb::kTextCenter : AcDb::kTextRight);
      line.setAlignmentPoint(at);
    }
    m_text.draw(m_painter, line, lines[i], colour, placement, m_view);
  }
}

// A solid hatch fills its loops (holes by the odd-even rule); a pattern
// shows as its outline.
void EntityPainter::drawHatch(const AcDbHatch& hatch, const CurveSampler& sampler, const Stroke& s) {
  std::vector<QPolygonF> rings;
  for (int i = 0; i < hatch.numLoops(); ++i) {
    std::vector<AcGePoint3d> points;
    hatch.getLoopAt(i, points);
    QPolygonF ring;
    for (const AcGePoint3d& p : points) ring << sampler.map(p);
    if (ring.size() >= 3) {
      ring << ring.front();
      rings.push_back(ring);
    }
  }
  if (!hatch.isSolidFill()) {
    stroke(rings, s);
    return;
  }
  QPainterPath area;
  area.setFillRule(Qt::OddEvenFill);
  for (const QPolygonF& ring : rings) area.addPolygon(ring);
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(s.colour);
  m_painter.drawPath(area);
  m_painter.setBrush(Qt::NoBrush);
}

}  // namespace uv::render
