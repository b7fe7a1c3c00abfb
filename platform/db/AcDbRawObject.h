// An object of a kind the database does not model (LAYOUT, MLINESTYLE,
// IMAGEDEF, a VPORT or DIMSTYLE table and its entries...), kept as the
// groups of its file record so that a save writes it back as it came. Its
// owner is the object the file names as owner when that object is in the
// drawing; owners do not list their raw children.
#pragma once

#include <string>

#include "AcDbObject.h"
#include "RawGroups.h"

class AcDbRawObject : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbRawObject);
  UV_DECLARE_CLONE(AcDbRawObject);
  AcDbRawObject() = default;
  AcDbRawObject(std::string dxfName, uv::RawGroups groups)
      : m_dxfName(std::move(dxfName)), m_groups(std::move(groups)) {}

  // The file's name of the kind ("LAYOUT", "TABLE" for a table's head).
  const std::string& dxfName() const { return m_dxfName; }
  // Every group after the record's 0 group, extended data included.
  const uv::RawGroups& groups() const { return m_groups; }
  // The value of the first group of the code ("" when there is none).
  std::string value(int code) const;

 private:
  std::string m_dxfName;
  uv::RawGroups m_groups;
};
