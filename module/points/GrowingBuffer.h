// An array of plain values that grows at its end, for the large texts of a
// point file. It grows with realloc, which moves large blocks by remapping
// their pages instead of copying them. It takes ordinary pages: on a machine
// that hands freed memory back to its host, huge pages made reading a 310 MB
// file two and a half times slower.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace uv::text {

template <class T>
class GrowingBuffer {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  GrowingBuffer() = default;
  ~GrowingBuffer() { std::free(m_data); }
  GrowingBuffer(const GrowingBuffer&) = delete;
  GrowingBuffer& operator=(const GrowingBuffer&) = delete;

  const T* data() const { return m_data; }
  size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  const T& operator[](size_t i) const { return m_data[i]; }

  void reserve(size_t count) {
    if (count > m_capacity) grow(count);
  }
  void append(const T* values, size_t count) {
    if (m_size + count > m_capacity) grow(std::max({m_capacity * 2, m_size + count, size_t(4096 / sizeof(T))}));
    if (count) std::memcpy(m_data + m_size, values, count * sizeof(T));
    m_size += count;
  }
  void push_back(const T& value) { append(&value, 1); }

 private:
  void grow(size_t count) {
    void* p = std::realloc(m_data, count * sizeof(T));
    if (!p) throw std::bad_alloc();
    m_data = static_cast<T*>(p);
    m_capacity = count;
  }

  T* m_data = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
};

}  // namespace uv::text
