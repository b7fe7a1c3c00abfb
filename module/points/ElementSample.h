// A sample of drawing entities that the user picks to set a dialog's
// filter from: the type names of the entity type list, the names of the
// blocks referenced and the layers.
#pragma once

#include <set>

#include "base/CString.h"
#include "db/adsdef.h"

namespace uv {

struct ElementSample {
  std::set<CString> types;   // "LINE", "POLYLINE", "INSERT", ...
  std::set<CString> blocks;  // the block of each block reference
  std::set<CString> layers;  // of every entity, whatever its kind
};

// Which kinds give a type name: all ten, or, for break lines, only lines
// and the three kinds of polyline.
enum class SampleKinds { kAll, kLinesAndPolylines };

// The sample of the entities of a selection set. Entities that cannot be
// opened add nothing.
ElementSample SampleSelection(const ads_name set, SampleKinds kinds);

// Asks the user to select entities without a filter and samples them;
// false when the selection did not end normally (nothing sampled).
bool PickSample(SampleKinds kinds, ElementSample& sample);

}  // namespace uv
