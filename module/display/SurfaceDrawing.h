// The drawing routines of the show-surface dialog: the boundary rings as
// polylines, the triangle network as edges or 3D faces, a regular grid as
// segments or 3D faces. Each routine reports progress on the status bar
// (message 4999, a step for every element visited, drawn or skipped),
// collects the ids of the entities it creates, groups them when asked, and
// puts them on the surface's layer for that kind of drawing:
//
//   DrawTriangleEdges, DrawTriangleFaces   layer type 1, triangle edges and
//                                          faces tagged (EntityTagging.h)
//   DrawGridLines, DrawGridFaces           layer type 2, no tags
//   DrawBoundary                           layer type 3; two or more rings
//                                          are always grouped
//
// Temporary vectors (acedGrDraw, colour 2) are no entities: they are not
// tagged, grouped or put on a layer, and vanish at the next regeneration.
#pragma once

#include "base/CString.h"
#include "db/AcDbObjectId.h"
#include "ge/AcGePointArrays.h"
#include "module/display/GridWalk.h"

class CKVLSurfaceManager;
class CKVLXsurface_Vantor2;

namespace uv::display {

// What the dialog hands the routines when the user presses OK.
struct ShowRequest {
  CKVLSurfaceManager* manager = nullptr;
  CString surfaceName;
  // Whether an entry of the dialog's surface list is selected; the layers
  // are assigned only then.
  bool surfaceSelected = false;
  // 0 the whole surface, 1 a polygon, 2 the current view.
  int area = 0;
  // The closed area polygon (for the grid over the whole surface, ring 0 of
  // the boundary).
  AcGePoint3dArray polygon;
  double stepX = 10, stepY = 10;
  bool group = false;
};

// The grid's extents and spacings: the surface's extents for the whole
// surface, the box around the area polygon otherwise.
GridFrame GridFrameFor(const ShowRequest& request, const CKVLXsurface_Vantor2& surface);

// Each returns the ids of the entities it created (none for temporary
// vectors).
AcDbObjectIdArray DrawBoundary(const ShowRequest& request, CKVLXsurface_Vantor2& surface);
AcDbObjectIdArray DrawTriangleEdges(const ShowRequest& request, CKVLXsurface_Vantor2& surface, bool temporary);
AcDbObjectIdArray DrawTriangleFaces(const ShowRequest& request, CKVLXsurface_Vantor2& surface);
AcDbObjectIdArray DrawGridLines(const ShowRequest& request, CKVLXsurface_Vantor2& surface, bool temporary);
AcDbObjectIdArray DrawGridFaces(const ShowRequest& request, CKVLXsurface_Vantor2& surface);

}  // namespace uv::display
