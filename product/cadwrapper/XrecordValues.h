// How the values that the dictionary pointer reads and writes are kept in
// an xrecord.
//
// Callers hand chains of result buffers in ADS result types; an xrecord
// holds DXF group codes. Written chains are mapped item by item:
//
//   RTSTR -> 1    RTREAL, RTANG -> 40    RTSHORT -> 70    RTLONG -> 90
//   RTINT64 -> 160    RT3DPOINT -> 10    RTPOINT -> 10 (z 0)    RTENAME -> 330
//
// and an item that already carries a group code an xrecord can hold
// (1-369 but 5 and 105) is kept as it is. Any other restype refuses the
// whole chain. Chains read back come in ADS result types by value kind
// (text RTSTR, real RTREAL, point RT3DPOINT, 16/32/64-bit integer RTSHORT/
// RTLONG/RTINT64, object reference RTENAME); binary chunks keep their group
// code, having no result type of their own.
#pragma once

#include <optional>
#include <string>

#include "db/ResItem.h"

namespace uv::cadwrapper {

// False (out emptied) when an item has no place in an xrecord.
bool xrecordItemsFromChain(const resbuf* chain, ResItems& out);
// A new chain (released by the caller with acutRelRb); null for no items.
resbuf* adsChainFromXrecordItems(const ResItems& items);

// The first item holding an integer (of any width), or a text.
std::optional<long long> firstInteger(const ResItems& items);
std::optional<std::wstring> firstText(const ResItems& items);

// One item for an integer or a text under a group code; nullopt when the
// code is not an xrecord code of that kind, or the value does not fit a
// 16-bit code.
std::optional<ResItem> integerItem(int code, long long value);
std::optional<ResItem> textItem(int code, const wchar_t* text);

}  // namespace uv::cadwrapper
