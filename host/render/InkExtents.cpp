#include "host/render/InkExtents.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <memory>

#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbMText.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "host/render/Placement.h"

namespace uv::render {

namespace {

void addThrough(const Placement& placement, const AcDbExtents& e, AcDbExtents& out) {
  const AcGePoint3d lo = e.minPoint(), hi = e.maxPoint();
  for (int k = 0; k < 8; ++k)
    out.addPoint(placement.apply(AcGePoint3d(k & 1 ? hi.x : lo.x, k & 2 ? hi.y : lo.y, k & 4 ? hi.z : lo.z)));
}

}  // namespace

AcDbExtents InkExtents::textBox(const AcDbText& text, size_t characters) {
  // Glyphs are wider than the database's estimate of 0.6 of the height, hang
  // below the baseline, and an aligned text stands on either side of its
  // points: a square about both points that any glyphs of this height fit.
  const double h = std::abs(text.height()) * std::max(1.0, std::abs(text.widthFactor()));
  const double r = (double(characters) + 2) * h * 1.5;
  AcDbExtents box;
  for (const AcGePoint3d& p : {text.position(), text.alignmentPoint()}) {
    box.addPoint(p - AcGeVector3d(r, r, 0));
    box.addPoint(p + AcGeVector3d(r, r, 0));
  }
  // Fitted and aligned texts run between the two points however long.
  return box;
}

bool InkExtents::extents(const AcDbEntity& entity, AcDbExtents& box) {
  box = AcDbExtents();
  if (auto* reference = AcDbBlockReference::cast(&entity)) {
    const std::optional<AcDbExtents> inner = blockBox(reference->blockTableRecord());
    if (!inner) return false;
    if (!inner->isEmpty()) addThrough(Placement::of(*reference), *inner, box);
    std::unique_ptr<AcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step())
      if (auto* attribute = AcDbAttribute::cast(it->entity()))
        box.addExt(textBox(*attribute, std::wcslen(attribute->textStringConst())));
    if (box.isEmpty()) box.addPoint(reference->position());
    return true;
  }
  if (auto* text = AcDbText::cast(&entity)) {
    size_t characters = std::wcslen(text->textStringConst());
    if (auto* definition = AcDbAttributeDefinition::cast(&entity))
      characters = std::max(characters, std::wcslen(definition->tagConst()));
    box = textBox(*text, characters);
    return true;
  }
  if (entity.getGeomExtents(box) != Acad::eOk || box.isEmpty()) return false;
  if (auto* paragraphs = AcDbMText::cast(&entity)) {
    // The database estimates glyph widths, and a word longer than the
    // width runs past it: room on every side for the longest line in the
    // widest glyphs, whichever way the attachment puts it.
    size_t longest = 0;
    for (const std::wstring& line : paragraphs->lines()) longest = std::max(longest, line.size());
    const AcGePoint3d lo = box.minPoint(), hi = box.maxPoint();
    const double grow = (double(longest) + 2) * std::abs(paragraphs->textHeight()) * 1.5;
    box.set(lo - AcGeVector3d(grow, grow, 0), hi + AcGeVector3d(grow, grow, 0));
    return true;
  }
  if (auto* poly = AcDbPolyline::cast(&entity)) {
    double width = 0;
    if (poly->getConstantWidth(width) == Acad::eOk && width > 0) {
      const AcGeVector3d half(width / 2, width / 2, 0);
      box.set(box.minPoint() - half, box.maxPoint() + half);
    }
  }
  return true;
}

std::optional<AcDbExtents> InkExtents::blockBox(AcDbObjectId block) {
  if (auto found = m_blocks.find(block); found != m_blocks.end()) return found->second;
  if (m_depth >= kMaxNesting) return AcDbExtents();  // drawn no deeper either
  m_blocks[block] = AcDbExtents();  // being measured
  ++m_depth;
  std::optional<AcDbExtents> out = AcDbExtents();
  {
    AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForRead);
    if (record.openStatus() == Acad::eOk)
      for (AcDbObject* object : record->entities(true)) {
        auto* entity = AcDbEntity::cast(object);
        AcDbExtents e;
        if (!entity) continue;
        if (!extents(*entity, e)) {
          out.reset();
          break;
        }
        out->addExt(e);
      }
  }
  --m_depth;
  m_blocks[block] = out;
  return out;
}

bool InkExtents::of(const AcDbEntity& entity, PlanBox& box) {
  AcDbExtents e;
  if (!extents(entity, e) || e.isEmpty()) return false;
  box = PlanBox::of(e.minPoint().x, e.minPoint().y, e.maxPoint().x, e.maxPoint().y);
  return true;
}

}  // namespace uv::render
