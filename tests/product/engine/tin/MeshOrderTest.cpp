// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "TinTestSupport.h"
#include "tin/Mesh.h"
#include "tin/RadixSort.h"

namespace tin {
namespace {

struct RadixCase {
  const char* name;
  std::size_t n;
  int keyBits;
  std::uint64_t valueMask;  // values drawn below it: high digits all alike when small
};

// Stable on the key bits: the same order as std::stable_sort on those bits, equal keys in input
// order, whether the digits vary or not.
TEST(RadixSort, MatchesAStableSortOnTheKeyBits) {
  const RadixCase cases[] = {
      {"empty", 0, 32, ~0ull},        {"one", 1, 32, ~0ull},          {"one digit", 5000, 11, ~0ull},
      {"32 bits", 60000, 32, ~0ull},  {"64 bits", 60000, 64, ~0ull},  {"small values", 60000, 64, 0xFFFFF},
      {"many equal", 60000, 64, 0x7}, {"top bits only", 60000, 64, ~0ull << 50},
  };
  std::mt19937_64 random(11);
  for (const RadixCase& c : cases) {
    std::vector<std::pair<std::uint64_t, std::int32_t>> v(c.n);
    for (std::size_t i = 0; i < c.n; ++i) v[i] = {random() & c.valueMask, static_cast<std::int32_t>(i)};
    const std::uint64_t keyMask = c.keyBits == 64 ? ~0ull : (1ull << c.keyBits) - 1;
    auto key = [keyMask](const std::pair<std::uint64_t, std::int32_t>& e) { return e.first & keyMask; };
    auto expected = v;
    std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) { return key(a) < key(b); });
    std::vector<std::pair<std::uint64_t, std::int32_t>> scratch;
    detail::radixSort(v, key, c.keyBits, scratch);
    EXPECT_EQ(v, expected) << c.name;
  }
}

double wavy(double x, double y) { return 10.0 + std::sin(x / 9.0) + std::cos(y / 4.0); }

struct LargeCase {
  const char* name;
  std::vector<Point3> points;
};

// Large enough that the triangles are sorted bucket by bucket. The canonical order holds
// triangle by triangle, and the editable rebuild (which orders its own triangles from scratch)
// gives the very same mesh.
TEST(MeshOrder, LargeSurfacesFollowTheCurveAndMatchTheirRebuild) {
  const LargeCase cases[] = {
      {"random", test::randomPoints(12000, 21, 1000, 2000, 700, wavy)},
      // Cocircular everywhere, and many centroids in a row.
      {"grid", test::gridPoints(130, 110, -50, 30, 1.5, wavy)},
  };
  for (const LargeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Surface s;
    s.setPoints(c.points);
    const Mesh& m = s.mesh();
    ASSERT_GT(m.triangles.size(), 20000u);
    const MeshCurve curve = meshCurve(std::span<const Point3>(m.vertices));
    auto place = [&](std::size_t t) {
      return curve.key(m.corner(static_cast<std::int32_t>(t), 0).plan(), m.corner(static_cast<std::int32_t>(t), 1).plan(),
                       m.corner(static_cast<std::int32_t>(t), 2).plan());
    };
    for (std::size_t t = 0; t < m.triangles.size(); ++t) {
      const Triangle& tri = m.triangles[t];
      ASSERT_TRUE(tri.v[0] < tri.v[1] && tri.v[0] < tri.v[2]) << t;
      if (t == 0) continue;
      const Triangle& before = m.triangles[t - 1];
      const bool inOrder = place(t - 1) < place(t) ||
                           (place(t - 1) == place(t) && std::lexicographical_compare(before.v, before.v + 3, tri.v, tri.v + 3));
      ASSERT_TRUE(inOrder) << t;
    }
    const std::vector<Triangle> compact = m.triangles;
    // A later point (here one already present) turns the surface editable.
    s.addPoints(std::vector<Point3>{c.points[0]});
    ASSERT_TRUE(test::valid(s));
    const Mesh& e = s.mesh();
    ASSERT_EQ(e.triangles.size(), compact.size());
    for (std::size_t t = 0; t < compact.size(); ++t)
      ASSERT_TRUE(std::equal(compact[t].v, compact[t].v + 3, e.triangles[t].v)) << "triangle " << t;
  }
}

}  // namespace
}  // namespace tin
