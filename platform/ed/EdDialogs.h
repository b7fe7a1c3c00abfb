// The host's own dialogs, asked of the current uv::User.
#pragma once

#include "db/AcDbObjectId.h"

// True when the user chose a colour (1..255; with allowMetaColors also 0
// ByBlock and 256 ByLayer), written into colour.
bool acedSetColorDialog(int& colour, bool allowMetaColors, int currentLayerColour);

// Offers the linetypes of the drawing (that of current, or the working one)
// and those of the host's linetype library; one the drawing lacks is loaded
// into its linetype table when chosen. True when the user confirmed: newName
// is then a copy the caller releases with acutDelString, newId its record.
bool acedLinetypeDialog(AcDbObjectId current, bool includeByBlockByLayer, wchar_t*& newName, AcDbObjectId& newId);

// A message box with an OK button.
int acedAlert(const wchar_t* message);

namespace uv {
// The linetype of that name in db, loaded from the host's library when db
// lacks it. eUndefinedLineType when neither has it.
Acad::ErrorStatus loadLinetype(AcDbDatabase* db, const std::wstring& name, AcDbObjectId& id);
}  // namespace uv
