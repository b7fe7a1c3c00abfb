#include "SelectionSets.h"

namespace uv {

SelectionSets& SelectionSets::instance() {
  static SelectionSets sets;
  return sets;
}

void SelectionSets::create(std::vector<AcDbObjectId> ids, ads_name name) {
  std::int64_t number = m_next++;
  m_sets[number] = std::move(ids);
  name[0] = number;
  name[1] = kTag;
}

const std::vector<AcDbObjectId>* SelectionSets::find(const ads_name name) const {
  if (!name || name[1] != kTag) return nullptr;
  auto it = m_sets.find(name[0]);
  return it == m_sets.end() ? nullptr : &it->second;
}

bool SelectionSets::free(const ads_name name) {
  if (!name || name[1] != kTag) return false;
  return m_sets.erase(name[0]) > 0;
}

}  // namespace uv
