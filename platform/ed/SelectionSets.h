// The selection sets handed out by acedSSGet, by name. A set's ads_name
// holds its number and a tag that no entity name carries.
#pragma once

#include <map>
#include <vector>

#include "db/AcDbObjectId.h"
#include "db/adsdef.h"

namespace uv {

class SelectionSets {
 public:
  static SelectionSets& instance();

  void create(std::vector<AcDbObjectId> ids, ads_name name);
  // Null for a name that is not a live set.
  const std::vector<AcDbObjectId>* find(const ads_name name) const;
  bool free(const ads_name name);
  // Sets not freed yet: a command that forgets acedSSFree leaks them.
  int openCount() const { return int(m_sets.size()); }

  // The last successful selection of the user, for "previous".
  const std::vector<AcDbObjectId>& previous() const { return m_previous; }
  void setPrevious(std::vector<AcDbObjectId> ids) { m_previous = std::move(ids); }

  static constexpr std::int64_t kTag = 0x5556535345544C49;  // no database lives at this address

 private:
  std::map<std::int64_t, std::vector<AcDbObjectId>> m_sets;
  std::int64_t m_next = 1;
  std::vector<AcDbObjectId> m_previous;
};

}  // namespace uv
