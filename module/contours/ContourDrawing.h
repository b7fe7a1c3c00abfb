// What OK of the two contour dialogs does in the drawing, apart from the
// dialogs (benchmarks call these too):
//
//   DrawContours    traces each level of the merged set in ascending order
//                   with the progress meter, gives each polyline the style
//                   of its class, files all of them on the surface's
//                   contour layer and, if asked, in one group
//   LabelContours   draws the path as a polyline that stays, and labels
//                   every contour that the engine selects along it at each
//                   crossing with that polyline in plan; groups the labels
//                   if asked, also when there are none
#pragma once

#include "db/AcDbObjectId.h"
#include "ge/AcGePointArrays.h"
#include "module/contours/CContourClass.h"
#include "module/contours/ContourLevels.h"

class CKVLSurfaceManager;
class CKVLXsurface_Vantor2;

namespace uv::contours {

struct ContourStyles {
  CContourClass::Style major;
  CContourClass::Style minor;
};

// The ids of every polyline drawn (also those of a level whose tracing
// reported a failure), in level order.
AcDbObjectIdArray DrawContours(CKVLSurfaceManager& manager, CKVLXsurface_Vantor2& surface, const MergedLevels& levels,
                               const ContourStyles& styles, bool atZero, bool group);

// The ids of the labels' entities. A null surface selects no contour.
AcDbObjectIdArray LabelContours(CKVLXsurface_Vantor2* surface, const AcGePoint3dArray& path, bool group);

}  // namespace uv::contours
