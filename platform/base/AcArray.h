// The host's growable array. Indices are int; out-of-range access throws
// std::out_of_range rather than reading past the end.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <vector>

template <typename T>
class AcArray {
 public:
  AcArray() = default;
  explicit AcArray(int physicalLength, int /*growLength*/ = 8) { m_v.reserve(size_t(std::max(physicalLength, 0))); }
  AcArray(std::initializer_list<T> init) : m_v(init) {}

  int length() const { return int(m_v.size()); }
  int logicalLength() const { return length(); }
  int physicalLength() const { return int(m_v.capacity()); }
  bool isEmpty() const { return m_v.empty(); }

  T& at(int i) { check(i); return m_v[size_t(i)]; }
  const T& at(int i) const { check(i); return m_v[size_t(i)]; }
  T& operator[](int i) { return at(i); }
  const T& operator[](int i) const { return at(i); }
  T& first() { return at(0); }
  const T& first() const { return at(0); }
  T& last() { return at(length() - 1); }
  const T& last() const { return at(length() - 1); }

  int append(const T& v) { m_v.push_back(v); return length() - 1; }
  AcArray& append(const AcArray& other) { m_v.insert(m_v.end(), other.m_v.begin(), other.m_v.end()); return *this; }
  AcArray& insertAt(int i, const T& v) {
    if (i < 0 || i > length()) throw std::out_of_range("AcArray index out of range");
    m_v.insert(m_v.begin() + i, v);
    return *this;
  }
  AcArray& removeAt(int i) { check(i); m_v.erase(m_v.begin() + i); return *this; }
  AcArray& removeFirst() { return removeAt(0); }
  AcArray& removeLast() { return removeAt(length() - 1); }
  AcArray& removeAll() { m_v.clear(); return *this; }
  AcArray& setAt(int i, const T& v) { at(i) = v; return *this; }
  AcArray& setLogicalLength(int n) { m_v.resize(size_t(std::max(n, 0))); return *this; }
  AcArray& setPhysicalLength(int n) { m_v.reserve(size_t(std::max(n, 0))); return *this; }
  AcArray& reverse() { std::reverse(m_v.begin(), m_v.end()); return *this; }
  bool remove(const T& v, int start = 0) {
    int i = 0;
    if (!find(v, i, start)) return false;
    removeAt(i);
    return true;
  }

  bool contains(const T& v, int start = 0) const { int i; return find(v, i, start); }
  bool find(const T& v, int& index, int start = 0) const {
    for (int i = std::max(start, 0); i < length(); ++i)
      if (m_v[size_t(i)] == v) { index = i; return true; }
    return false;
  }
  int find(const T& v) const { int i = -1; return find(v, i) ? i : -1; }

  T* asArrayPtr() { return m_v.data(); }
  const T* asArrayPtr() const { return m_v.data(); }

  auto begin() { return m_v.begin(); }
  auto end() { return m_v.end(); }
  auto begin() const { return m_v.begin(); }
  auto end() const { return m_v.end(); }

  const std::vector<T>& vector() const { return m_v; }
  std::vector<T>& vector() { return m_v; }

  friend bool operator==(const AcArray& a, const AcArray& b) { return a.m_v == b.m_v; }

 private:
  void check(int i) const {
    if (i < 0 || i >= length()) throw std::out_of_range("AcArray index out of range");
  }
  std::vector<T> m_v;
};

using AcDbIntArray = AcArray<int>;
using AcGeIntArray = AcArray<int>;
using AcGeDoubleArray = AcArray<double>;
