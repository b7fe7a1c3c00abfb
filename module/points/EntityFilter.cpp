#include "module/points/EntityFilter.h"

#include "db/ResbufChain.h"
#include "module/points/CElementType.h"
#include "module/points/LayerList.h"

namespace uv {

resbuf* BuildEntityFilter(const CElementType& types, const CListCtrl& layers) {
  ResbufChain filter(types.BuildSelectionFilter());
  CStringArray names;
  SelectedLayers(layers, names);
  filter.append(BuildLayerClause(names));
  return filter.release();
}

}  // namespace uv
