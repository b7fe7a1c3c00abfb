// An entity of a kind the database does not model (DIMENSION, MLEADER,
// IMAGE, a polygon mesh...), kept as the groups of its file record so that
// a save writes it back as it came. Its layer is known to the database (a
// renamed layer is written under its new name, and the checker sees the
// reference); everything else is the file's.
#pragma once

#include <string>

#include "AcDbEntity.h"
#include "RawGroups.h"

class AcDbRawEntity : public AcDbEntity {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRawEntity);
  UV_DECLARE_CLONE(AcDbRawEntity);
  AcDbRawEntity() = default;
  AcDbRawEntity(std::string dxfName, uv::RawGroups groups)
      : m_dxfName(std::move(dxfName)), m_groups(std::move(groups)) {}

  // The file's name of the kind ("DIMENSION").
  const std::string& dxfName() const { return m_dxfName; }
  // Every group after the record's 0 group, extended data included.
  const uv::RawGroups& groups() const { return m_groups; }

 private:
  std::string m_dxfName;
  uv::RawGroups m_groups;
};
