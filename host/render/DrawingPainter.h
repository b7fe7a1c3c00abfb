// Paints the model space of a drawing in drawing order, walking into block
// references (nested ones too; a block that holds itself is cut off), and
// the temporary vectors on top. Also measures what it would paint, for
// zooming to the drawing's extents.
#pragma once

#include <QPainter>
#include <vector>

#include "db/AcDbExtents.h"
#include "db/AcDbObjectId.h"
#include "ed/TemporaryGraphics.h"
#include "host/render/EntityPainter.h"
#include "host/render/StyleResolver.h"

class AcDbDatabase;
class AcDbBlockReference;

namespace uv::render {

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

  // The box of every entity that paintModelSpace would show.
  static AcDbExtents visibleExtents(const AcDbDatabase& db);

  static constexpr int kMaxNesting = 32;

 private:
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
};

}  // namespace uv::render
