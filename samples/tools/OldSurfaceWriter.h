// Writes surfaces the way the product's previous generation kept them in a
// drawing, for sample drawings and tests of their conversion:
//
//   named object dictionary
//   ├─ KVX_SURFACE          PLOHE: one text item per surface, in order
//   │                       AKTIVNA: the active surface's name
//   └─ KVX_SURFACE.<name>   TOCKE: one 3D point item per point
//                           C_MNT, L_MNT, LT_MNT          triangle network
//                           C_MREZA, L_MREZA, LT_MREZA    grid
//                           C_PROJEKCIJE, L_PROJEKCIJE, LT_PROJEKCIJE
//                           DESCRIPTION
//
// Everything goes into the working database through the CAD wrapper's
// dictionary pointer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ge/AcGePoint3d.h"

namespace uv::samples {

struct OldLayer {
  int colour = 7;
  std::wstring layer;
  std::wstring linetype;
};

struct OldSurface {
  std::wstring name;
  std::vector<AcGePoint3d> points;
  std::optional<std::wstring> description;
  std::optional<OldLayer> triangles;   // the _MNT keys
  std::optional<OldLayer> grid;        // the _MREZA keys
  std::optional<OldLayer> projection;  // the _PROJEKCIJE keys
};

// False when the wrapper refused a write (the drawing is then incomplete).
bool writeOldSurfaces(const std::vector<OldSurface>& surfaces, const std::wstring& active);

}  // namespace uv::samples
