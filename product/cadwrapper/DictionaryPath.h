// Where a dictionary name given to CKVLCDictionaryPtr lives in the drawing.
//
// Flat (the usual form, `nested` false): the name is one key of the named
// object dictionary, taken whole. A point in it is an ordinary character:
// "KVX_SURFACE.Teren" is the key "KVX_SURFACE.Teren" beside the key
// "KVX_SURFACE". This is how the drawings of the product's previous
// generation hold their surfaces (one dictionary "KVX_SURFACE" with the
// list, and one "KVX_SURFACE.<name>" per surface), so their names are read
// as they stand.
//
// Nested (`nested` true): the name is a path of keys separated by points,
// starting at the named object dictionary: "A.B.C" is the dictionary C in
// the dictionary B in the dictionary A.
//
//   named object dictionary            named object dictionary
//   ├─ KVX_SURFACE        (flat)       └─ A               (nested "A.B")
//   └─ KVX_SURFACE.Teren                  └─ B
#pragma once

#include <string>
#include <vector>

namespace uv::cadwrapper {

// The keys from the named object dictionary down; empty for a name that
// names nothing (null, empty, or, nested, with an empty part as in "A..B").
std::vector<std::wstring> dictionaryPath(const wchar_t* name, bool nested);

}  // namespace uv::cadwrapper
