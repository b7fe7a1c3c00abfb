// The surface list that the module's dialogs share: a combo box filled with
// the drawing's existing surfaces, in the order the engine gives them (a
// sorted combo box sorts them itself), with the engine's current surface
// selected, else the first entry. An empty list gets no selection.
#pragma once

class CComboBox;
class CKVLSurfaceManager;

namespace uv {

// Fills `list` afresh; returns the number of entries. A null manager leaves
// the list empty.
int FillSurfaceList(CComboBox& list, CKVLSurfaceManager* manager);

// Whether the list has a selected entry, which tells a dialog that the
// drawing holds at least one surface.
bool HasSelectedSurface(const CComboBox& list);

}  // namespace uv
