// Writes a whole drawing as an AC1021 DXF file in UTF-8: header, tables,
// blocks, entities and the named object dictionary with its dictionaries,
// xrecords and groups. Every object goes out under its own handle. The
// parts a DXF reader expects but the drawing does not model (the VPORT,
// VIEW, UCS and DIMSTYLE tables, the layouts) are written with new handles
// counted up from the drawing's $HANDSEED, and $HANDSEED is raised past
// them; a later load reads past those parts.
#pragma once

#include <ostream>

#include "db/AcDbDatabase.h"
#include "db/dxf/DxfResult.h"

namespace uv::dxf {

// Throws a DxfError for a drawing that cannot be written (a value that is
// not a finite number).
void writeDocument(const AcDbDatabase& db, std::ostream& out, Result& result);

}  // namespace uv::dxf
