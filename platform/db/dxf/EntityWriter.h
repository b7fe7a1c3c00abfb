// Writes one entity of the drawing as DXF (AC1021 layout: subclass markers,
// handle and owner), with its vertices or attributes and their SEQEND, and
// the extended data of each. World points of arcs, circles, texts,
// attributes and block references go out in their object coordinates.
#pragma once

#include <map>
#include <string>

#include "db/AcDbEntity.h"
#include "db/dxf/GroupWriter.h"

namespace uv::dxf {

class EntityWriter {
 public:
  explicit EntityWriter(GroupWriter& out) : m_out(out) {}

  // paperSpace: the entity belongs to *Paper_Space (67 1).
  void write(const AcDbEntity& e, bool paperSpace);

 private:
  void common(const AcDbEntity& e, const char* type, bool paperSpace);
  void writeLinetype(const std::wstring& linetype);
  void sequence(const AcDbEntity& owner, const std::vector<AcDbObjectId>& children, AcDbObjectId end,
                bool paperSpace);
  GroupWriter& m_out;
};

// Writes a record kept whole (a raw entity or object) under the object's
// handle (which replaces the file's 5, or 105 for a DIMSTYLE) and, for an
// entity, its layer's current name (replacing the first 8).
void writeRaw(GroupWriter& out, const std::string& type, const uv::RawGroups& groups, AcDbObjectId id,
              const std::wstring* layer);

// Name of a symbol table record, "" for a null id.
std::wstring recordName(AcDbObjectId id);
// Writes an object's extended data.
void writeXData(GroupWriter& out, const AcDbObject& obj);
std::uint64_t handleOf(AcDbObjectId id);

}  // namespace uv::dxf
