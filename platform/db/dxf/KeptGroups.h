// What of a file record the database keeps verbatim.
//
// For the kinds the database models, the groups the reader turns into the
// database's own values are listed here by subclass marker; every other
// group of the record (reactors and the extension dictionary in 102
// braces, a plot style, true colours, flags we do not model...) is kept
// with the object and written back under the same subclass marker, so that
// a drawing opened and saved loses none of them. Kinds the database does
// not model are kept whole.
#pragma once

#include <string_view>

#include "db/RawGroups.h"
#include "db/dxf/DxfRecord.h"
#include "db/dxf/TextCodec.h"

namespace uv::dxf {

// The groups of rec (before its extended data) that the reader does not
// model, with the subclass markers (100) they came under.
RawGroups keptGroupsOf(const DxfRecord& rec, const TextCodec& codec);
// Whether a subclass marker (100) names a subclass the database models
// that records of the kind do not have: the groups after it are kept as they
// came, and a reader taking values from anywhere in the record passes them.
bool isForeignMarker(std::string_view kind, std::string_view marker);
// Where an xrecord's data begins; the reader takes it whole, up to the
// extended data.
size_t xrecordDataStart(const DxfRecord& rec);
// Every group of rec, as kept for a kind the database does not model.
RawGroups rawGroupsOf(const DxfRecord& rec, const TextCodec& codec);
RawGroups rawGroupsOf(std::span<const Group> groups, const TextCodec& codec);

}  // namespace uv::dxf
