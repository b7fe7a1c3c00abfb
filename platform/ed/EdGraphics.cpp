#include "EdGraphics.h"

#include "db/adscodes.h"
#include "AcApDocManager.h"

int acedGrDraw(const ads_point from, const ads_point to, int colour, int highlight) {
  AcApDocument* doc = curDoc();
  if (!doc || !from || !to) return RTERROR;
  doc->temporaryGraphics().add(
      {AcGePoint3d(from[0], from[1], from[2]), AcGePoint3d(to[0], to[1], to[2]), colour, highlight != 0});
  return RTNORM;
}

int acedRedraw(const ads_name entity, int mode) {
  if (!entity && (mode == 0 || mode == 1)) uv::regenerate();
  return RTNORM;
}

void acedUpdateDisplay() {}

namespace uv {
void regenerate() {
  if (AcApDocument* doc = curDoc()) doc->temporaryGraphics().clear();
}
}  // namespace uv
