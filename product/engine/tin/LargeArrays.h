// SPDX-License-Identifier: GPL-3.0-or-later
// Room for the arrays of a large build (tens of megabytes each), made in one place so that how
// large arrays get their memory is decided once, and giving such room back as soon as it is no
// longer needed.
//
// The room takes the system's ordinary pages; no huge-page advice. On virtual machines that hand
// freed memory back to their host, a fresh huge page costs several times the system time of its
// 512 small ones (a 4M-point build: 1.2-1.4 s of system time against 0.33-0.42 s), and is cheap
// only when memory freed moments before is still at hand, so a build's time came to depend on what
// ran before it. Where huge pages pay, the system's own setting ("always") still gives them.
#pragma once

#include <cstddef>
#include <vector>

namespace tin::detail {

// Room for n elements at once, instead of growth by doubling and its copies.
template <class T>
void reserveLarge(std::vector<T>& v, std::size_t n) {
  v.reserve(n);
}

// Room for n and a thirty-second more, so that a surface's first edits add to its arrays
// without copying them whole (each copy after that makes room for an eighth more).
inline std::size_t withRoom(std::size_t n) { return n + n / 32 + 256; }
template <class T>
void reserveWithRoom(std::vector<T>& v, std::size_t n) {
  v.reserve(withRoom(n));
}

// Gives v's room back (v = {} would keep it: that assigns an empty list).
template <class T>
void release(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

}  // namespace tin::detail
