#include "host/render/DrawingPainter.h"

#include <algorithm>

#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbFace.h"
#include "db/AcDbObjectPointer.h"
#include "host/render/AciPalette.h"
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

void DrawingPainter::paintModelSpace() {
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
