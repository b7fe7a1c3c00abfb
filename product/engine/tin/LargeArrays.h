// SPDX-License-Identifier: GPL-3.0-or-later
// Room for the arrays of a large build (tens of megabytes each), made in one place so that how
// large arrays get their memory is decided once, and giving such room back as soon as it is no
// longer needed.
//
// Large room is asked for on huge pages (2 MiB) where the system offers them. On the virtual
// machines surveyors' servers and this project's builds run on, each first touch of a small page
// is a fault that costs about 11 us (measured: 256 MB touched page by page took 0.7 s of CPU, on
// huge pages 0.02-0.4 s, also with the page cache full), and a 1M-point build touches some
// 57,000 of them: a third of its time. An earlier machine, with little free memory, had found
// huge pages dearer (their compaction); the advice is only advice, and the kernel falls back to
// small pages when it has no huge one to give.
#pragma once

#include <cstddef>
#include <vector>

namespace tin::detail {

// Advises huge pages for the whole 2 MiB pages within [p, p + bytes), before they are first
// touched; below a few megabytes, or where the system has none, it does nothing.
void adviseHugePages(void* p, std::size_t bytes);

// Room for n elements at once, instead of growth by doubling and its copies.
template <class T>
void reserveLarge(std::vector<T>& v, std::size_t n) {
  if (n <= v.capacity()) return;
  v.reserve(n);
  adviseHugePages(v.data(), v.capacity() * sizeof(T));
}

// Room for n and a thirty-second more, so that a surface's first edits add to its arrays
// without copying them whole (each copy after that makes room for an eighth more).
inline std::size_t withRoom(std::size_t n) { return n + n / 32 + 256; }
template <class T>
void reserveWithRoom(std::vector<T>& v, std::size_t n) {
  if (withRoom(n) <= v.capacity()) return;
  v.reserve(withRoom(n));
  adviseHugePages(v.data(), v.capacity() * sizeof(T));
}

// Gives v's room back (v = {} would keep it: that assigns an empty list).
template <class T>
void release(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

}  // namespace tin::detail
