// SPDX-License-Identifier: GPL-3.0-or-later
// A stable least-significant-digit radix sort on unsigned integer keys, for the million-element
// sorts of a large build (positions along a curve, triangles along a curve), where a comparison
// sort costs several times more. Equal keys keep their input order, so a sort on part of a key
// whose other part already increases with the input order sorts on the whole key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tin/LargeArrays.h"

namespace tin::detail {

// Sorts v by key(element) (an unsigned integer of at most keyBits bits), stably. scratch is
// working room of the same size, kept by the caller so that repeated sorts allocate once.
template <class T, class Key>
void radixSort(std::vector<T>& v, Key key, int keyBits, std::vector<T>& scratch) {
  constexpr int kDigitBits = 11;
  constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
  const std::size_t n = v.size();
  if (n < 2) return;
  const int passes = (keyBits + kDigitBits - 1) / kDigitBits;
  // All digit histograms in one read of the keys.
  std::vector<std::array<std::size_t, kBuckets>> counts(static_cast<std::size_t>(passes));
  for (auto& c : counts) c.fill(0);
  for (const T& e : v) {
    const auto k = static_cast<std::uint64_t>(key(e));
    for (int p = 0; p < passes; ++p) ++counts[p][(k >> (p * kDigitBits)) & (kBuckets - 1)];
  }
  reserveLarge(scratch, n);
  scratch.resize(n);
  std::vector<T>* from = &v;
  std::vector<T>* to = &scratch;
  for (int p = 0; p < passes; ++p) {
    auto& c = counts[p];
    // A digit that all keys share moves nothing.
    bool uniform = false;
    for (std::size_t b = 0; b < kBuckets && !uniform; ++b) uniform = c[b] == n;
    if (uniform) continue;
    std::size_t sum = 0;
    for (std::size_t b = 0; b < kBuckets; ++b) {
      const std::size_t here = c[b];
      c[b] = sum;
      sum += here;
    }
    const int shift = p * kDigitBits;
    T* out = to->data();
    for (const T& e : *from) out[c[(static_cast<std::uint64_t>(key(e)) >> shift) & (kBuckets - 1)]++] = e;
    std::swap(from, to);
  }
  if (from != &v) v.swap(*from);
}

}  // namespace tin::detail
