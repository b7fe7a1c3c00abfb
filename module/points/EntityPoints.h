// The survey points a drawing entity gives, as stored (nothing projected):
//
//   line, arc              start and end point
//   polylines (LW, 2D, 3D) every vertex, in order
//   circle                 centre
//   block reference        insertion point, by the block rule below
//   point                  position
//   text                   insertion point; with text elevations on, Z
//                          from the text ("" gives nothing)
//   3D face                each vertex the face gives
//
// Block rule: a block without attribute definitions gives its insertion
// point. A block with attribute definitions gives something only when its
// name is a key of `blockTags`: the insertion point as it is when the tag
// is "", else with Z from that attribute's text ("" gives nothing).
#pragma once

#include <map>

#include "base/CString.h"
#include "db/AcDbObjectId.h"

class CUniquePointSet;

namespace uv {

struct EntityPointRules {
  bool textElevation = false;
  std::map<CString, CString> blockTags;  // block name -> attribute tag
};

// Adds the entity's points to the set; an entity that cannot be opened, or
// of another kind, adds nothing.
void AddEntityPoints(AcDbObjectId id, const EntityPointRules& rules, CUniquePointSet& points);

}  // namespace uv
