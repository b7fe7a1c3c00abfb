// The DXF form of wipeouts and of the drawing's wipeout settings, as CAD
// programs write them (AC1021):
//
//   0 WIPEOUT ... 100 AcDbWipeout         0 WIPEOUTVARIABLES  (in OBJECTS,
//   90 0        class version             5 handle             filed under
//   10/20/30    frame origin              330 owner            ACAD_WIPEOUT_VARS)
//   11/21/31    u (one pixel)             100 AcDbWipeoutVariables
//   12/22/32    v (one pixel)             70 frame shown (0/1)
//   13/23       image size in pixels
//   340 0       no image definition
//   70          display flags
//   280         clipping on
//   281/282/283 brightness, contrast, fade
//   360 0       no image definition reactor
//   71          boundary: 1 rectangle, 2 polygon
//   91          vertex count, then 14/24 per vertex
//   290         clip inverted
//
// A reader also needs the classes of both in the CLASSES section.
#pragma once

#include <memory>

#include "db/AcDbWipeout.h"
#include "db/AcDbWipeoutVariables.h"
#include "db/dxf/DxfRecord.h"
#include "db/dxf/GroupWriter.h"

namespace uv::dxf {

// The AcDbWipeout part (after the common entity groups).
void writeWipeoutBody(GroupWriter& out, const AcDbWipeout& wipeout);
// A WIPEOUT record's geometry and display values; throws a DxfError naming
// the record's line for values the entity refuses.
std::unique_ptr<AcDbWipeout> readWipeout(const DxfRecord& rec);

// The AcDbWipeoutVariables part of the object.
void writeWipeoutVariablesBody(GroupWriter& out, const AcDbWipeoutVariables& vars);
void readWipeoutVariables(const DxfRecord& rec, AcDbWipeoutVariables& vars);

// The CLASS records of the kinds above.
void writeWipeoutClasses(GroupWriter& out);

}  // namespace uv::dxf
