// Internal: a position in a list of ids taken when an iterator is made, able
// to step both ways and to skip erased objects. Shared by the iterators.
#pragma once

#include <algorithm>
#include <vector>

#include "AcDbObjectId.h"

namespace uv {

class IdCursor {
 public:
  IdCursor() = default;
  explicit IdCursor(std::vector<AcDbObjectId> ids) : m_ids(std::move(ids)) {}

  void start(bool atBeginning, bool skipErased) {
    m_pos = atBeginning ? 0 : int(m_ids.size()) - 1;
    skip(atBeginning, skipErased);
  }
  bool done() const { return m_pos < 0 || m_pos >= int(m_ids.size()); }
  void step(bool forward, bool skipErased) {
    if (done()) return;
    m_pos += forward ? 1 : -1;
    skip(forward, skipErased);
  }
  AcDbObjectId current() const { return done() ? AcDbObjectId() : m_ids[size_t(m_pos)]; }
  int position() const { return m_pos; }
  bool seek(AcDbObjectId id) {
    auto it = std::find(m_ids.begin(), m_ids.end(), id);
    if (it == m_ids.end()) return false;
    m_pos = int(it - m_ids.begin());
    return true;
  }

 private:
  void skip(bool forward, bool skipErased) {
    while (!done() && skipErased && m_ids[size_t(m_pos)].isErased()) m_pos += forward ? 1 : -1;
  }
  std::vector<AcDbObjectId> m_ids;
  int m_pos = 0;
};

}  // namespace uv
