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
  // skipped counts entities of kinds that have no file form here.
  EntityWriter(GroupWriter& out, std::map<std::string, int>& skipped) : m_out(out), m_skipped(skipped) {}

  // paperSpace: the entity belongs to *Paper_Space (67 1).
  void write(const AcDbEntity& e, bool paperSpace);

 private:
  void common(const AcDbEntity& e, const char* type, bool paperSpace);
  void sequence(const AcDbEntity& owner, const std::vector<AcDbObjectId>& children, AcDbObjectId end,
                bool paperSpace);
  GroupWriter& m_out;
  std::map<std::string, int>& m_skipped;
};

// Name of a symbol table record, "" for a null id.
std::wstring recordName(AcDbObjectId id);
// Writes an object's extended data.
void writeXData(GroupWriter& out, const AcDbObject& obj);
std::uint64_t handleOf(AcDbObjectId id);

}  // namespace uv::dxf
