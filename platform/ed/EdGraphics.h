// Temporary vectors and redrawing. Vectors drawn with acedGrDraw stay over
// the drawing of the current document until the next regeneration: a
// redraw of the whole view (acedRedraw with no entity), a zoom or a view
// change (uv::regenerate).
#pragma once

#include "db/adsdef.h"

int acedGrDraw(const ads_point from, const ads_point to, int colour, int highlight);
// With a null entity, modes 0 and 1 redraw the view, clearing the vectors;
// the entity modes (highlighting) change nothing here.
int acedRedraw(const ads_name entity, int mode);
void acedUpdateDisplay();

namespace uv {
// What the host does after a zoom or a change of view.
void regenerate();
}  // namespace uv
