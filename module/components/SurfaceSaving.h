// Saving the drawing's surfaces when a dialog closes.
#pragma once

class CKVLSurfaceManager;

namespace uv {

// Has the engine save its surfaces. When something could not be saved, says so on the
// command line (the dialog may be gone) and reports it as the running command's failure, so a
// batch job ends with a failing status; false then. A null manager saves nothing.
bool SaveSurfaces(CKVLSurfaceManager* manager);

}  // namespace uv
