// The box in plan that drawing an entity can ink, in drawing units, leaving
// out what is drawn in pixels (line widths, the cross of a point), which
// the view adds as a margin of pixels. It errs on the large side where the
// database's own extents are an estimate: a text's box is wide enough for
// any glyphs of its height in either alignment (a paragraph text's holds
// lines that run past its width), a polyline's includes its
// width, a block reference's is its block's such box through the reference
// (nested blocks too, once each) with its attributes.
//
// False for an entity whose box cannot be had (it is then always drawn).
#pragma once

#include <map>
#include <optional>

#include "db/AcDbExtents.h"
#include "db/AcDbObjectId.h"
#include "host/render/PlanBox.h"

class AcDbEntity;
class AcDbText;

namespace uv::render {

class InkExtents {
 public:
  bool of(const AcDbEntity& entity, PlanBox& box);

  static constexpr int kMaxNesting = 32;

 private:
  // The block's box in its own coordinates (empty when it inks nothing, or
  // while it is being measured: a block that holds itself is cut off when
  // drawn); nullopt when some entity of it has no box.
  std::optional<AcDbExtents> blockBox(AcDbObjectId block);
  // In the entity's own coordinates (a block's, inside one).
  bool extents(const AcDbEntity& entity, AcDbExtents& box);
  static AcDbExtents textBox(const AcDbText& text, size_t characters);

  std::map<AcDbObjectId, std::optional<AcDbExtents>> m_blocks;
  int m_depth = 0;
};

}  // namespace uv::render
