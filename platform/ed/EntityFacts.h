// What a selection filter can ask of an entity, gathered from the drawing
// once per entity so that the filter itself never touches the database.
#pragma once

#include <string>

namespace uv {

struct EntityFacts {
  std::wstring dxfName;    // group 0: "LINE"; 2D and 3D polylines both "POLYLINE"
  std::wstring handle;     // group 5, hexadecimal
  std::wstring linetype;   // group 6
  std::wstring layer;      // group 8
  std::wstring blockName;  // group 2, block references only
  int colour = 256;        // group 62
  // Group 66: 1 when a block reference has attributes (and for the
  // POLYLINE entities, whose vertices follow), 0 otherwise.
  int entitiesFollow = 0;
};

}  // namespace uv
