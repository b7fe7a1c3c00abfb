// One object of a DXF file: the value of its 0 group (LINE, LAYER,
// DICTIONARY...) and the groups that follow up to the next 0 group. The
// accessors convert values and throw a DxfError naming the value's line
// when a value does not parse.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/dxf/GroupReader.h"

namespace uv::dxf {

struct DxfRecord {
  std::string type;
  int line = 0;  // the line of the type name (after its 0 group code)
  std::span<const Group> groups;  // held by the document it was read into; set with setGroups

  // Sets the groups and notes where the body and the extended data start:
  // readers ask for single codes a dozen times a record.
  void setGroups(std::span<const Group> all);

  // The first group with the code in the record's body, or null.
  const Group* find(int code) const {
    for (const Group& g : body())
      if (g.code == code) return &g;
    return nullptr;
  }
  bool has(int code) const { return find(code) != nullptr; }
  double real(int code, double fallback = 0) const;
  long long integer(int code, long long fallback = 0) const;
  std::uint64_t handle(int code) const;  // 0 when absent
  std::string_view text(int code) const;  // empty when absent
  // The record's own handle (group 5, or 105 for DIMSTYLE), 0 when absent.
  std::uint64_t ownHandle() const;
  // The owner (the 330 group before the first subclass marker), 0 when absent.
  std::uint64_t ownerHandle() const;
  // The index of the first extended-data group (1001), or groups.size().
  size_t xdataStart() const { return m_xdataStart; }
  // The record's own groups, which the reader models: those before an
  // embedded object (101, which repeats codes of its own) and before the
  // extended data. What follows is kept as it came, never read as well:
  // read and kept, it would be written twice.
  size_t bodyEnd() const { return m_bodyEnd; }
  std::span<const Group> body() const { return {groups.data(), m_bodyEnd}; }

 private:
  std::uint32_t m_bodyEnd = 0;
  std::uint32_t m_xdataStart = 0;
};

double parseReal(const Group& g);
long long parseInteger(const Group& g);
std::uint64_t parseHandle(const Group& g);

}  // namespace uv::dxf
