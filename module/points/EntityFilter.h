// The whole selection filter of a dialog with an entity type list and a
// layer list: the checked types, then the selected layers' clause. The
// host takes both groups together, so an entity must be of a checked type
// and, when layers are selected, on one of them.
#pragma once

#include "db/resbuf.h"

class CElementType;
class CListCtrl;

namespace uv {

// A new chain, released by the caller with acutRelRb.
resbuf* BuildEntityFilter(const CElementType& types, const CListCtrl& layers);

}  // namespace uv
