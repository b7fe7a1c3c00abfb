// Internal: a list that holds its first N items in itself and moves to the
// heap only when it grows past them. Setting an entity's extended data
// gathers one or two applications' groups per call; tagging millions of
// entities should not allocate (nor reach for thread-local buffers, which a
// shared library pays for on every access) to do that.
#pragma once

#include <cstddef>
#include <vector>

namespace uv {

template <class T, std::size_t N>
class ShortList {
 public:
  void push_back(const T& value) {
    if (m_size < N) {
      m_local[m_size] = value;
    } else {
      if (m_heap.empty()) m_heap.assign(m_local, m_local + N);
      m_heap.push_back(value);
    }
    ++m_size;
  }
  // Removes the item at `at`, keeping the order of the others.
  void erase(T* at) {
    T* last = end() - 1;
    for (T* p = at; p != last; ++p) *p = *(p + 1);
    if (m_size > N) m_heap.pop_back();
    --m_size;
    // Back to the items held in the list itself when they fit again.
    if (m_size == N) {
      for (std::size_t i = 0; i < N; ++i) m_local[i] = m_heap[i];
      m_heap.clear();
    }
  }

  T* begin() { return m_size <= N ? m_local : m_heap.data(); }
  T* end() { return begin() + m_size; }
  const T* begin() const { return m_size <= N ? m_local : m_heap.data(); }
  const T* end() const { return begin() + m_size; }
  T* data() { return begin(); }
  T& back() { return begin()[m_size - 1]; }
  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }

 private:
  T m_local[N] = {};
  std::vector<T> m_heap;
  std::size_t m_size = 0;
};

}  // namespace uv
