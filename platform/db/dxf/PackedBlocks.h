// Copies of short runs of values (the text of a file's values, the groups of
// its records) packed into blocks that never move, so that each copy lives
// as long as its holder without an allocation of its own: a file of
// millions of groups costs a few hundred allocations instead of millions.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace uv::dxf {

template <class T>
class PackedBlocks {
 public:
  std::span<const T> keep(std::span<const T> items) {
    if (items.empty()) return {};
    if (items.size() > m_room) {
      const size_t size = std::max(kBlockItems, items.size());
      m_blocks.push_back(std::make_unique<T[]>(size));
      m_free = m_blocks.back().get();
      m_room = size;
    }
    std::copy(items.begin(), items.end(), m_free);
    const std::span<const T> kept(m_free, items.size());
    m_free += items.size();
    m_room -= items.size();
    return kept;
  }

 private:
  static constexpr size_t kBlockItems = (size_t(1) << 20) / sizeof(T);
  std::vector<std::unique_ptr<T[]>> m_blocks;
  T* m_free = nullptr;
  size_t m_room = 0;
};

}  // namespace uv::dxf
