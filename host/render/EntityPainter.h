// Draws one entity that is not a block reference (DrawingPainter walks
// into those) with the properties the StyleResolver gave it:
//
//   line, arc, circle, lightweight/2D/3D polyline   curves, arcs and bulges
//                                                    as true arcs, dashed by
//                                                    the linetype
//   point        a small cross of fixed size on the screen
//   text, attribute, attribute definition (tag)     TextPainter
//   paragraph text   its lines (wrapped, without formatting codes), TextPainter
//   ellipse, spline  their curves
//   hatch        solid: its loops filled (holes by the odd-even rule);
//                a pattern: the loops' outlines
//   3D face      its visible edges; with an elevation shading, fill()
//                paints its area in the colour of the mean elevation of its
//                corners (DrawingPainter fills all faces before it draws)
//   wipeout      its area in the background colour
//
// Polylines with a constant width draw that wide; line weights give the
// width of everything else.
#pragma once

#include <QColor>
#include <QPen>
#include <QPolygonF>
#include <string>
#include <vector>

#include "host/render/DashPattern.h"
#include "host/render/TextPainter.h"

class AcDbEntity;
class AcDbHatch;
class AcDbMText;
class AcDbWipeout;
class AcDbFace;
class QPainter;

namespace uv::render {

class CurveSampler;
class ElevationShading;
class Placement;
class StyleResolver;
class ViewMapping;
struct Resolved;

// How a line is stroked.
struct Stroke {
  QColor colour;
  double width = 1;  // pixels
  DashPattern pattern;
};

class EntityPainter {
 public:
  EntityPainter(QPainter& painter, const ViewMapping& view, const StyleResolver& styles);

  // `shownText` replaces a text entity's own string when not empty.
  void draw(const AcDbEntity& entity, const Resolved& style, const Placement& placement,
            const std::wstring& shownText = {});
  // Lines in pixels, dashed by the stroke's pattern.
  void stroke(const std::vector<QPolygonF>& lines, const Stroke& stroke);
  void pointMark(const QPointF& at, const Stroke& stroke);
  // A wipeout: its area filled with the background colour, covering what
  // was drawn before it.
  void mask(const AcDbWipeout& wipeout, const CurveSampler& sampler);
  // Faces filled by elevation (null: outlines only). Not owned.
  void setShading(const ElevationShading* shading) { m_shading = shading; }
  // The face's area in its elevation's colour; nothing without a shading.
  void fill(const AcDbFace& face, const Placement& placement);
  // The colour fill() gives the face (invalid without a shading).
  QColor fillColour(const AcDbFace& face) const;

  static constexpr double kPointMarkPixels = 3;  // half the cross
  static constexpr double kCurvePiecePixels = 2;  // ellipses and splines

 private:
  // The mean elevation of the face's distinct corners, which go, mapped to
  // pixels, into `corners` when given.
  static double meanElevation(const AcDbFace& face, QPolygonF* corners, const CurveSampler* sampler);
  Stroke strokeFor(const Resolved& style, double pixelsPerUnit) const;
  QPolygonF smoothCurve(const AcDbEntity& entity, const CurveSampler& sampler);
  void drawParagraphs(const AcDbMText& mtext, const QColor& colour, const Placement& placement);
  void drawHatch(const AcDbHatch& hatch, const CurveSampler& sampler, const Stroke& s);
  void drawEdges(const AcDbFace& face, const CurveSampler& sampler, const Stroke& s);

  QPainter& m_painter;
  const ViewMapping& m_view;
  const StyleResolver& m_styles;
  TextPainter m_text;
  const ElevationShading* m_shading = nullptr;
  QPen m_edgePen;  // the last face's
};

}  // namespace uv::render
