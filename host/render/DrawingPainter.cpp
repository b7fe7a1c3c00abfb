#include "host/render/DrawingPainter.h"

#include <algorithm>
#include <cmath>

#include <QImage>

#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "db/AcDbObjectPointer.h"
#include "host/render/AciPalette.h"
#include "host/render/DrawingIndex.h"
#include "host/render/Placement.h"
#include "host/render/ViewMapping.h"

namespace uv::render {

namespace {

// The entities of a block, read without opening them one by one.
std::vector<AcDbEntity*> entitiesOf(AcDbObjectId block) {
  std::vector<AcDbEntity*> out;
  AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForRead);
  if (record.openStatus() != Acad::eOk) return out;
  for (AcDbObject* object : record->entities(true))
    if (auto* entity = AcDbEntity::cast(object)) out.push_back(entity);
  return out;
}

std::vector<AcDbAttribute*> attributesOf(const AcDbBlockReference& reference) {
  std::vector<AcDbAttribute*> out;
  std::unique_ptr<AcDbObjectIterator> it(reference.attributeIterator());
  for (it->start(); !it->done(); it->step())
    if (auto* attribute = AcDbAttribute::cast(it->entity())) out.push_back(attribute);
  return out;
}

}  // namespace

DrawingPainter::DrawingPainter(const AcDbDatabase& db, QPainter& painter, const ViewMapping& view)
    : m_db(db), m_painter(painter), m_view(view), m_styles(db), m_entities(painter, view, m_styles) {}

double DrawingPainter::reachPixels() {
  return StyleResolver::pixelWidth(AcDb::kLnWt211) / 2 + EntityPainter::kPointMarkPixels + 2;
}

void DrawingPainter::paintModelSpace() {
  if (m_index) {
    paintIndexed();
    return;
  }
  // A shaded terrain lies under everything else: its faces, filled and
  // edged, first, so that linework drawn before them (a break line along
  // their edges, a road) still shows over the terrain.
  if (m_shading)
    for (AcDbEntity* entity : entitiesOf(m_db.modelSpaceId()))
      if (auto* face = AcDbFace::cast(entity)) {
        const Resolved style = m_styles.resolve(*face, Inherited());
        if (!style.visible) continue;
        m_entities.fill(*face, Placement());
        m_entities.draw(*face, style, Placement());
      }
  paintBlock(m_db.modelSpaceId(), Placement(), Inherited());
}

void DrawingPainter::paintIndexed() {
  const QSize size = m_view.size();
  const double scale = m_view.pixelsPerUnit();
  const double reach = reachPixels();
  const AcGePoint3d a = m_view.toDrawing(QPointF(-reach, -reach));
  const AcGePoint3d b = m_view.toDrawing(QPointF(size.width() + reach, size.height() + reach));
  std::vector<std::uint32_t> shown;
  std::vector<std::uint32_t> dots;
  m_index->query(PlanBox::of(a.x, a.y, b.x, b.y), [&](std::uint32_t order) {
    const DrawingIndex::Entry& e = m_index->entry(order);
    if (e.screenSized || e.box.width() * scale >= 1 || e.box.height() * scale >= 1) {
      shown.push_back(order);
      return;
    }
    if (e.colour < 0) return;
    const QPointF at = m_view.toPixel((e.box.minX + e.box.maxX) / 2, (e.box.minY + e.box.maxY) / 2);
    const double x = std::floor(at.x()), y = std::floor(at.y());
    if (x < 0 || y < 0 || x >= size.width() || y >= size.height()) return;
    if (dots.empty()) dots.assign(size_t(size.width()) * size.height(), 0);
    std::uint32_t& dot = dots[size_t(y) * size.width() + size_t(x)];
    dot = std::max(dot, order + 1);
  });
  for (std::uint32_t order : m_index->unboxed())
    if (!m_index->entry(order).gone) shown.push_back(order);
  // Into drawing order: by sorting when few, through a mark per entry when many.
  if (shown.size() < m_index->size() / 16) {
    std::sort(shown.begin(), shown.end());
  } else {
    std::vector<bool> marked(m_index->size());
    for (std::uint32_t order : shown) marked[order] = true;
    shown.clear();
    for (std::uint32_t order = 0; order < marked.size(); ++order)
      if (marked[order]) shown.push_back(order);
  }
  if (!dots.empty()) paintDots(dots);
  if (m_shading)
    for (std::uint32_t order : shown)
      if (auto* face = AcDbFace::cast(m_index->entry(order).entity)) {
        m_entities.fill(*face, Placement());
        m_entities.draw(*face, m_styles.resolve(*face, Inherited()), Placement());
      }
  m_open.push_back(m_db.modelSpaceId());
  for (std::uint32_t order : shown) paintEntity(*m_index->entry(order).entity, Placement(), Inherited(), false);
  m_open.pop_back();
}

void DrawingPainter::paintDots(const std::vector<std::uint32_t>& dots) {
  const QSize size = m_view.size();
  QImage layer(size, QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  const QColor background = m_painter.background().color();
  QRgb colours[256] = {};
  bool known[256] = {};
  for (int y = 0; y < size.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
    const std::uint32_t* row = dots.data() + size_t(y) * size.width();
    for (int x = 0; x < size.width(); ++x) {
      if (!row[x]) continue;
      const DrawingIndex::Entry& e = m_index->entry(row[x] - 1);
      // A face of a shaded terrain shows its fill, which covers most of it.
      if (auto* face = m_shading ? AcDbFace::cast(e.entity) : nullptr) {
        line[x] = m_entities.fillColour(*face).rgba();
        continue;
      }
      const int aci = std::clamp(e.colour, 0, 255);
      if (!known[aci]) {
        colours[aci] = AciPalette::onBackground(aci, background).rgba();
        known[aci] = true;
      }
      line[x] = colours[aci];
    }
  }
  m_painter.drawImage(QPoint(0, 0), layer);
}

void DrawingPainter::paintBlock(AcDbObjectId block, const Placement& placement, const Inherited& from) {
  if (int(m_open.size()) >= kMaxNesting || std::find(m_open.begin(), m_open.end(), block) != m_open.end()) return;
  m_open.push_back(block);
  const bool inBlock = m_open.size() > 1;
  for (AcDbEntity* entity : entitiesOf(block)) paintEntity(*entity, placement, from, inBlock);
  m_open.pop_back();
}

void DrawingPainter::paintEntity(const AcDbEntity& entity, const Placement& placement, const Inherited& from,
                                 bool inBlock) {
  const Resolved style = m_styles.resolve(entity, from);
  if (auto* reference = AcDbBlockReference::cast(&entity)) {
    paintReference(*reference, style, placement);
    return;
  }
  if (!style.visible) return;
  if (m_shading && !inBlock && AcDbFace::cast(&entity)) return;  // drawn under the rest already
  if (auto* definition = AcDbAttributeDefinition::cast(&entity)) {
    // In model space a definition shows its tag; in a block only a constant
    // one shows, with its text, as every reference carries it.
    if (!inBlock) m_entities.draw(entity, style, placement, definition->tagConst());
    else if (definition->isConstant() && !definition->isInvisible()) m_entities.draw(entity, style, placement);
    return;
  }
  m_entities.draw(entity, style, placement);
}

void DrawingPainter::paintReference(const AcDbBlockReference& reference, const Resolved& style,
                                    const Placement& placement) {
  // A reference on a frozen layer hides its whole block; on a layer that is
  // off it hides only what is drawn on layer 0 of the block (which takes the
  // reference's layer) and its attributes.
  if (reference.isErased() || reference.visibility() != AcDb::kVisible || m_styles.isLayerFrozen(style.layer)) return;
  paintBlock(reference.blockTableRecord(), Placement::of(reference).then(placement), style.handedDown());
  Inherited forAttributes = style.handedDown();
  forAttributes.layer = AcDbObjectId();  // attributes keep their own layer
  for (AcDbAttribute* attribute : attributesOf(reference)) {
    if (attribute->isInvisible()) continue;
    const Resolved attributeStyle = m_styles.resolve(*attribute, forAttributes);
    if (attributeStyle.visible) m_entities.draw(*attribute, attributeStyle, placement);
  }
}

void DrawingPainter::paintTemporary(const std::vector<TemporaryVector>& vectors) {
  const QColor background = m_painter.background().color();
  for (const TemporaryVector& v : vectors) {
    Stroke s;
    // -1 draws in the inverse of what lies below: on a plain background, its opposite.
    s.colour = v.colour < 0 ? AciPalette::onBackground(7, background) : AciPalette::onBackground(v.colour, background);
    if (v.highlight) s.pattern = DashPattern({4, -3});
    m_entities.stroke({QPolygonF({m_view.toPixel(v.from), m_view.toPixel(v.to)})}, s);
  }
}

AcDbExtents DrawingPainter::visibleExtents(const AcDbDatabase& db) {
  AcDbExtents box;
  const StyleResolver styles(db);
  for (AcDbEntity* entity : entitiesOf(db.modelSpaceId())) {
    const Resolved style = styles.resolve(*entity, Inherited());
    const bool reference = AcDbBlockReference::cast(entity) != nullptr;
    const bool shown = reference ? !styles.isLayerFrozen(style.layer) && entity->visibility() == AcDb::kVisible
                                 : style.visible;
    AcDbExtents e;
    if (shown && entity->getGeomExtents(e) == Acad::eOk) box.addExt(e);
  }
  return box;
}

}  // namespace uv::render
