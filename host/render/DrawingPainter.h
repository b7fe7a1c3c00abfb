// Paints the model space of a drawing in drawing order, walking into block
// references (nested ones too; a block that holds itself is cut off), and
// the temporary vectors on top. Also measures what it would paint, for
// zooming to the drawing's extents.
//
// With a DrawingIndex of the drawing it paints only what meets the view
// (with a margin of kReachPixels for what is drawn in pixels: line widths,
// a point's cross), and an entity whose box is smaller than a pixel either
// way as one pixel of its colour, under everything else; the picture is
// otherwise the one painting every entity gives.
#pragma once

#include <QPainter>
#include <cstdint>
#include <vector>

#include "db/AcDbExtents.h"
#include "db/AcDbObjectId.h"
#include "ed/TemporaryGraphics.h"
#include "host/render/EntityPainter.h"
#include "host/render/StyleResolver.h"

class AcDbDatabase;
class AcDbBlockReference;

namespace uv::render {

class DrawingIndex;
class ElevationShading;
class Placement;
class ViewMapping;

class DrawingPainter {
 public:
  DrawingPainter(const AcDbDatabase& db, QPainter& painter, const ViewMapping& view);

  void paintModelSpace();
  void paintTemporary(const std::vector<TemporaryVector>& vectors);
  // 3D faces filled by elevation (null: outlines only). Not owned.
  void setShading(const ElevationShading* shading) {
    m_shading = shading;
    m_entities.setShading(shading);
  }

  // Paint through this index of the drawing (null: every entity). Not owned.
  void setIndex(const DrawingIndex* index) { m_index = index; }

  // The box of every entity that paintModelSpace would show.
  static AcDbExtents visibleExtents(const AcDbDatabase& db);

  static constexpr int kMaxNesting = 32;
  // How far beyond its box an entity may ink, in pixels: half the widest
  // line weight, a point's cross, and the smoothing of edges.
  static double reachPixels();

 private:
  void paintIndexed();
  // One pixel of each colour given, a pixel index (y * width + x) with the
  // order of the entity that lands there last plus one (0: none).
  void paintDots(const std::vector<std::uint32_t>& dots);
  void paintBlock(AcDbObjectId block, const Placement& placement, const Inherited& from);
  void paintEntity(const AcDbEntity& entity, const Placement& placement, const Inherited& from, bool inBlock);
  void paintReference(const AcDbBlockReference& reference, const Resolved& style, const Placement& placement);

  const AcDbDatabase& m_db;
  QPainter& m_painter;
  const ViewMapping& m_view;
  StyleResolver m_styles;
  EntityPainter m_entities;
  std::vector<AcDbObjectId> m_open;  // blocks being painted, outermost first
  const ElevationShading* m_shading = nullptr;
  const DrawingIndex* m_index = nullptr;
};

}  // namespace uv::render
