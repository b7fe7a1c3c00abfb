// Copies of short runs of values (the text of a file's values, the groups of
// its records) packed into blocks that never move, so that each copy lives
// as long as its holder without an allocation of its own: a file of
// millions of groups costs a few hundred allocations instead of millions.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

namespace uv::dxf {

template <class T>
class PackedBlocks {
  // Blocks are raw bytes that copies fill: filling them with T's defaults
  // first would write every byte twice.
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  std::span<const T> keep(std::span<const T> items) {
    if (items.empty()) return {};
    T* at = room(items.size());
    std::memcpy(static_cast<void*>(at), items.data(), items.size() * sizeof(T));
    return {at, items.size()};
  }

  // The text followed by a NUL, for readers that want a C string.
  const char* keepTerminated(std::string_view text)
    requires std::is_same_v<T, char>
  {
    char* at = room(text.size() + 1);
    std::memcpy(at, text.data(), text.size());
    at[text.size()] = '\0';
    return at;
  }

  // A place to come back to: rewind() drops every copy made after it, so
  // that a reader going through a file a record at a time keeps one
  // record's values, not the whole file's.
  struct Mark {
    size_t blocks = 0;
    T* free = nullptr;
    size_t room = 0;
  };
  Mark mark() const { return {m_blocks.size(), m_free, m_room}; }
  void rewind(const Mark& m) {
    // Blocks up to the usual size wait for the next copies, so that records
    // that each spill past the mark's block do not each allocate one anew.
    while (m_blocks.size() > m.blocks) {
      if (m_blocks.back().items <= kBlockItems && m_spare.size() < kMaxSpare)
        m_spare.push_back(std::move(m_blocks.back()));
      m_blocks.pop_back();
    }
    m_free = m.free;
    m_room = m.room;
  }

 private:
  // Room for n items at the end of the current block, or in a new one.
  T* room(size_t n) {
    if (n > m_room) {
      if (!m_spare.empty() && m_spare.back().items >= n) {
        m_blocks.push_back(std::move(m_spare.back()));
        m_spare.pop_back();
      } else {
        // Blocks grow from a few kilobytes to a megabyte: a small drawing (a fuzzer reads thousands
        // a second) allocates little, a large one soon gets whole megabytes.
        const size_t size = std::max(m_next, n);
        m_next = std::min(kBlockItems, m_next * 2);
        m_blocks.push_back({std::make_unique_for_overwrite<std::byte[]>(size * sizeof(T)), size});
      }
      m_free = reinterpret_cast<T*>(m_blocks.back().bytes.get());
      m_room = m_blocks.back().items;
    }
    T* at = m_free;
    m_free += n;
    m_room -= n;
    return at;
  }

  static constexpr size_t kBlockItems = (size_t(1) << 20) / sizeof(T);
  static constexpr size_t kMaxSpare = 16;
  size_t m_next = kBlockItems / 64;  // the items of the next block
  struct Block {
    std::unique_ptr<std::byte[]> bytes;
    size_t items;
  };
  std::vector<Block> m_blocks;
  std::vector<Block> m_spare;  // given back by rewind(), for the next copies
  T* m_free = nullptr;
  size_t m_room = 0;
};

}  // namespace uv::dxf
