#include "product/cadwrapper/EntityCopier.h"

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"

namespace uv::cadwrapper {

namespace {

template <class T>
std::unique_ptr<T> make() {
  return std::make_unique<T>();
}

// The sub-entities of an owner, live ones only, read without opening them.
template <class Owner>
std::vector<AcDbEntity*> liveChildren(const Owner& owner) {
  std::vector<AcDbEntity*> out;
  std::unique_ptr<AcDbObjectIterator> it(owner.vertexIterator());
  for (it->start(); !it->done(); it->step())
    if (AcDbEntity* e = it->entity(); e && !e->isErased()) out.push_back(e);
  return out;
}

}  // namespace

void EntityCopier::copyProperties(const AcDbEntity& from, AcDbEntity& to) {
  if (AcDbObjectId layer = m_refs.layer(from.layerId()); !layer.isNull()) to.setLayer(layer, false);
  if (AcDbObjectId linetype = m_refs.linetype(from.linetypeId()); !linetype.isNull()) to.setLinetype(linetype, false);
  to.setColor(from.color(), false);
  to.setLinetypeScale(from.linetypeScale(), false);
  to.setLineWeight(from.lineWeight(), false);
  to.setVisibility(from.visibility(), false);
}

void EntityCopier::copyText(const AcDbText& from, AcDbText& to) {
  to.setPosition(from.position());
  to.setAlignmentPoint(from.alignmentPoint());
  to.setTextString(from.textStringConst());
  to.setHeight(from.height());
  to.setRotation(from.rotation());
  to.setWidthFactor(from.widthFactor());
  to.setOblique(from.oblique());
  to.setHorizontalMode(from.horizontalMode());
  to.setVerticalMode(from.verticalMode());
  to.setNormal(from.normal());
  to.setThickness(from.thickness());
  if (AcDbObjectId style = m_refs.textStyle(from.textStyle()); !style.isNull()) to.setTextStyle(style);
  copyProperties(from, to);
}

std::unique_ptr<AcDbEntity> EntityCopier::copyPolyline2d(const AcDb2dPolyline& from) {
  auto to = make<AcDb2dPolyline>();
  to->setPolyType(from.polyType());
  to->setElevation(from.elevation());
  to->setNormal(from.normal());
  to->setThickness(from.thickness());
  to->setDefaultStartWidth(from.defaultStartWidth());
  to->setDefaultEndWidth(from.defaultEndWidth());
  if (from.isClosed()) to->makeClosed();
  copyProperties(from, *to);
  for (AcDbEntity* e : liveChildren(from)) {
    const AcDb2dVertex* v = AcDb2dVertex::cast(e);
    if (!v) continue;
    auto* vertex = new AcDb2dVertex(v->position(), v->bulge(), v->startWidth(), v->endWidth(), v->tangent());
    vertex->setVertexType(v->vertexType());
    copyProperties(*v, *vertex);
    if (to->appendVertex(vertex) != Acad::eOk) delete vertex;
  }
  return to;
}

std::unique_ptr<AcDbEntity> EntityCopier::copyPolyline3d(const AcDb3dPolyline& from) {
  auto to = make<AcDb3dPolyline>();
  to->setPolyType(from.polyType());
  if (from.isClosed()) to->makeClosed();
  copyProperties(from, *to);
  for (AcDbEntity* e : liveChildren(from)) {
    const AcDb3dPolylineVertex* v = AcDb3dPolylineVertex::cast(e);
    if (!v) continue;
    auto* vertex = new AcDb3dPolylineVertex(v->position());
    vertex->setVertexType(v->vertexType());
    copyProperties(*v, *vertex);
    if (to->appendVertex(vertex) != Acad::eOk) delete vertex;
  }
  return to;
}

std::unique_ptr<AcDbEntity> EntityCopier::copyBlockReference(const AcDbBlockReference& from) {
  AcDbObjectId block = m_refs.block(from.blockTableRecord());
  if (block.isNull()) return nullptr;
  auto to = std::make_unique<AcDbBlockReference>(from.position(), block);
  to->setScaleFactors(from.scaleFactors());
  to->setRotation(from.rotation());
  to->setNormal(from.normal());
  copyProperties(from, *to);
  std::unique_ptr<AcDbObjectIterator> it(from.attributeIterator());
  for (it->start(); !it->done(); it->step()) {
    const AcDbAttribute* a = AcDbAttribute::cast(it->entity());
    if (!a || a->isErased()) continue;
    auto* attribute = new AcDbAttribute();
    copyText(*a, *attribute);
    attribute->setTag(a->tagConst());
    attribute->setInvisible(a->isInvisible());
    attribute->setConstant(a->isConstant());
    if (to->appendAttribute(attribute) != Acad::eOk) delete attribute;
  }
  return to;
}

std::unique_ptr<AcDbEntity> EntityCopier::copy(const AcDbEntity& source) {
  if (const auto* line = AcDbLine::cast(&source)) {
    auto to = std::make_unique<AcDbLine>(line->startPoint(), line->endPoint());
    to->setThickness(line->thickness());
    to->setNormal(line->normal());
    copyProperties(source, *to);
    return to;
  }
  if (const auto* arc = AcDbArc::cast(&source)) {
    auto to = std::make_unique<AcDbArc>(arc->center(), arc->normal(), arc->radius(), arc->startAngle(), arc->endAngle());
    to->setThickness(arc->thickness());
    copyProperties(source, *to);
    return to;
  }
  if (const auto* circle = AcDbCircle::cast(&source)) {
    auto to = std::make_unique<AcDbCircle>(circle->center(), circle->normal(), circle->radius());
    to->setThickness(circle->thickness());
    copyProperties(source, *to);
    return to;
  }
  if (const auto* point = AcDbPoint::cast(&source)) {
    auto to = std::make_unique<AcDbPoint>(point->position());
    to->setThickness(point->thickness());
    to->setNormal(point->normal());
    copyProperties(source, *to);
    return to;
  }
  // Before the text, of which it is a kind.
  if (const auto* def = AcDbAttributeDefinition::cast(&source)) {
    auto to = make<AcDbAttributeDefinition>();
    copyText(*def, *to);
    to->setTag(def->tagConst());
    to->setPrompt(def->promptConst());
    to->setInvisible(def->isInvisible());
    to->setConstant(def->isConstant());
    to->setVerifiable(def->isVerifiable());
    to->setPreset(def->isPreset());
    return to;
  }
  if (const auto* text = AcDbText::cast(&source)) {
    if (AcDbAttribute::cast(&source)) return nullptr;  // attributes travel with their reference
    auto to = make<AcDbText>();
    copyText(*text, *to);
    return to;
  }
  if (const auto* pline = AcDbPolyline::cast(&source)) {
    auto to = make<AcDbPolyline>();
    for (unsigned int i = 0; i < pline->numVerts(); ++i) {
      AcGePoint2d p;
      double bulge = 0, startWidth = 0, endWidth = 0;
      pline->getPointAt(i, p);
      pline->getBulgeAt(i, bulge);
      pline->getWidthsAt(i, startWidth, endWidth);
      to->addVertexAt(i, p, bulge, startWidth, endWidth);
    }
    to->setElevation(pline->elevation());
    to->setNormal(pline->normal());
    to->setThickness(pline->thickness());
    to->setClosed(pline->isClosed());
    copyProperties(source, *to);
    return to;
  }
  if (const auto* pline = AcDb2dPolyline::cast(&source)) return copyPolyline2d(*pline);
  if (const auto* pline = AcDb3dPolyline::cast(&source)) return copyPolyline3d(*pline);
  if (const auto* face = AcDbFace::cast(&source)) {
    auto to = make<AcDbFace>();
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d p;
      face->getVertexAt(i, p);
      to->setVertexAt(i, p);
      Adesk::Boolean visible = true;
      face->isEdgeVisibleAt(i, visible);
      if (!visible) to->makeEdgeInvisibleAt(i);
    }
    copyProperties(source, *to);
    return to;
  }
  if (const auto* ref = AcDbBlockReference::cast(&source)) return copyBlockReference(*ref);
  return nullptr;
}

}  // namespace uv::cadwrapper
