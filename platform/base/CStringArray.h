// MFC-style arrays. Out-of-range access throws CInvalidArgException, the
// dialog framework's invalid-argument exception.
#pragma once

#include <stdexcept>
#include <vector>

#include "CString.h"

class CInvalidArgException : public std::invalid_argument {
 public:
  CInvalidArgException() : std::invalid_argument("invalid argument") {}
};

template <typename T, typename ARG = const T&>
class CArray {
 public:
  using value_type = T;
  int GetSize() const { return int(m_v.size()); }
  int GetCount() const { return GetSize(); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return m_v.empty(); }
  void SetSize(int n) { m_v.resize(size_t(n < 0 ? 0 : n)); }
  void RemoveAll() { m_v.clear(); }

  const T& GetAt(int i) const { check(i); return m_v[size_t(i)]; }
  T& GetAt(int i) { check(i); return m_v[size_t(i)]; }
  T& ElementAt(int i) { return GetAt(i); }
  void SetAt(int i, ARG v) { GetAt(i) = v; }
  T& operator[](int i) { return GetAt(i); }
  const T& operator[](int i) const { return GetAt(i); }
  T* GetData() { return m_v.data(); }
  const T* GetData() const { return m_v.data(); }

  int Add(ARG v) { m_v.push_back(v); return GetSize() - 1; }
  void SetAtGrow(int i, ARG v) {
    if (i < 0) throw CInvalidArgException();
    if (i >= GetSize()) m_v.resize(size_t(i) + 1);
    m_v[size_t(i)] = v;
  }
  int Append(const CArray& other) {
    const int first = GetSize();
    m_v.insert(m_v.end(), other.m_v.begin(), other.m_v.end());
    return first;
  }
  void Copy(const CArray& other) { m_v = other.m_v; }
  void InsertAt(int i, ARG v, int count = 1) {
    if (i < 0) throw CInvalidArgException();
    if (i > GetSize()) m_v.resize(size_t(i));
    m_v.insert(m_v.begin() + i, size_t(count), v);
  }
  void RemoveAt(int i, int count = 1) {
    if (i < 0 || count < 0 || i + count > GetSize()) throw CInvalidArgException();
    m_v.erase(m_v.begin() + i, m_v.begin() + i + count);
  }

  auto begin() { return m_v.begin(); }
  auto end() { return m_v.end(); }
  auto begin() const { return m_v.begin(); }
  auto end() const { return m_v.end(); }
  const std::vector<T>& vector() const { return m_v; }

 private:
  void check(int i) const {
    if (i < 0 || i >= GetSize()) throw CInvalidArgException();
  }
  std::vector<T> m_v;
};

class CStringArray : public CArray<CString, const wchar_t*> {
 public:
  using CArray::Add;
  int Add(const CString& s) { return CArray::Add(s.GetString()); }
};

using CDWordArray = CArray<DWORD>;
using CUIntArray = CArray<UINT>;
