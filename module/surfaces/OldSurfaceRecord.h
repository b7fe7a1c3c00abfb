// Where the product's previous generation kept its surfaces in a drawing:
// one dictionary with the list of surfaces and the active one, and one
// dictionary per surface, named after it, with its points, layer settings
// and description. Each value is an xrecord under its key.
//
//   named object dictionary
//   ├─ KVX_SURFACE          PLOHE (the names, one text item each), AKTIVNA
//   └─ KVX_SURFACE.<name>   TOCKE (one 3D point item each), C_/L_/LT_ keys,
//                           DESCRIPTION
#pragma once

#include "base/CString.h"

namespace uv::surfaces::old {

constexpr const wchar_t* kListDictionary = L"KVX_SURFACE";
constexpr const wchar_t* kNamesKey = L"PLOHE";
constexpr const wchar_t* kActiveKey = L"AKTIVNA";
constexpr const wchar_t* kPointsKey = L"TOCKE";
constexpr const wchar_t* kDescriptionKey = L"DESCRIPTION";

// "KVX_SURFACE.<name>".
inline CString SurfaceDictionary(const CString& name) {
  CString dictionary;
  dictionary.Format(L"%s.%s", kListDictionary, name.GetString());
  return dictionary;
}

// The keys of one kind of drawing and the layer type of the new engine
// they go to. The projection's keys serve two layer types.
struct LayerKeys {
  int layerType;
  const wchar_t* colour;
  const wchar_t* layer;
  const wchar_t* linetype;
};

inline constexpr LayerKeys kLayerKeys[] = {
    {1, L"C_MNT", L"L_MNT", L"LT_MNT"},
    {2, L"C_MREZA", L"L_MREZA", L"LT_MREZA"},
    {4, L"C_PROJEKCIJE", L"L_PROJEKCIJE", L"LT_PROJEKCIJE"},
    {5, L"C_PROJEKCIJE", L"L_PROJEKCIJE", L"LT_PROJEKCIJE"},
};

}  // namespace uv::surfaces::old
