// Tagged values as group codes: the data of xrecords and the extended data
// of objects. A point is three groups (c, c+10, c+20); a binary chunk is
// hexadecimal text; references (330-369 in xrecords) are handles.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "db/ResItem.h"
#include "db/dxf/GroupReader.h"
#include "db/dxf/GroupWriter.h"
#include "db/dxf/TextCodec.h"

namespace uv::dxf {

using HandleResolver = std::function<AcDbObjectId(std::uint64_t handle, const Group& where)>;

// The items of groups[begin, end). Throws a DxfError for a value that does
// not parse or a code that carries no value kind.
ResItems readItems(std::span<const Group> groups, size_t begin, size_t end, const TextCodec& codec,
                   const HandleResolver& resolve);
void writeItems(GroupWriter& out, const ResItems& items);

std::vector<unsigned char> parseHex(const Group& g);
std::string formatHex(const std::vector<unsigned char>& bytes);

}  // namespace uv::dxf
