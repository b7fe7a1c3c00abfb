// The layer list beside the entity type list: every layer of the drawing,
// several selectable, and the layer clause of the selection filter that
// the selected ones make:
//
//   (-4 . "<OR") (8 . "TEREN") (8 . "KOTE") (-4 . "OR>")
#pragma once

#include <set>

#include "base/CString.h"
#include "base/CStringArray.h"
#include "db/resbuf.h"

class CListCtrl;

namespace uv {

// One column headed by message 4699 and fitted to its heading, full-row
// selection, one item per layer of the working drawing (a sorted list keeps
// them in order).
void FillLayerList(CListCtrl& list);

// The texts of the selected items, in list order.
void SelectedLayers(const CListCtrl& list, CStringArray& names);

// Selects every item whose text is one of the names; the selection grows.
void SelectLayers(CListCtrl& list, const std::set<CString>& names);

// A new chain for the layers, taken as they are, released by the caller
// with acutRelRb; null when there are none (no layer clause).
resbuf* BuildLayerClause(const CStringArray& names);

}  // namespace uv
