// A drawing built through the host API that holds every kind the DXF files
// keep: layers (off, frozen, locked, not plotted), a linetype with dashes, a
// text style, applications, a block with attribute definitions inserted
// with attributes, each entity kind (some in a tilted plane), extended data
// of every value kind, nested dictionaries, xrecords and groups, and texts
// outside ASCII.
#pragma once

class AcDbDatabase;

namespace uvtest {

void buildRichDrawing(AcDbDatabase& db);

}  // namespace uvtest
