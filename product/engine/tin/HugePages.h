// SPDX-License-Identifier: GPL-3.0-or-later
// Room for the arrays of a large build (tens of megabytes each) in huge pages where the system
// offers them on request: filling such an array page by page otherwise spends about a third of
// a million-point build in page faults. Changes where memory lies, never what it holds. And
// giving such room back as soon as it is no longer needed.
#pragma once

#include <cstddef>
#include <vector>

namespace tin::detail {

// Asks the system to back [p, p + bytes) with huge pages when first touched. Small ranges and
// systems without the request are left alone.
void adviseHugePages(const void* p, std::size_t bytes);

// v.reserve(n), the new room advised for huge pages before anything touches it.
template <class T>
void reserveLarge(std::vector<T>& v, std::size_t n) {
  if (n <= v.capacity()) return;
  v.reserve(n);
  adviseHugePages(v.data(), v.capacity() * sizeof(T));
}

// Room for n and a thirty-second more, so that a surface's first edits add to its arrays
// without copying them whole (each copy after that makes room for an eighth more). Only the
// first n are advised: a huge page reaching into the room would fill up to 2 MB of it at once.
inline std::size_t withRoom(std::size_t n) { return n + n / 32 + 256; }
template <class T>
void reserveWithRoom(std::vector<T>& v, std::size_t n) {
  if (withRoom(n) <= v.capacity()) return;
  v.reserve(withRoom(n));
  adviseHugePages(v.data(), n * sizeof(T));
}

// Gives v's room back (v = {} would keep it: that assigns an empty list).
template <class T>
void release(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

}  // namespace tin::detail
