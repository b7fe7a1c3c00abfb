// SPDX-License-Identifier: GPL-3.0-or-later
// Vertex numbers exchanged in a batch end where exchanging them one pair at a time puts them:
// the triangles, the positions, the break lines and the flips of swaps all follow.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "tin/Triangulation.h"

namespace tin::detail {
namespace {

// A grid with jitter, a break line across it and a flipped diagonal, so that every kind of
// record that names vertices holds some.
void build(Triangulation& t) {
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> jitter(-0.2, 0.2);
  std::vector<Point2> positions;
  for (int i = 0; i < 30; ++i)
    for (int j = 0; j < 30; ++j) positions.push_back({i + jitter(rng), j + jitter(rng)});
  std::vector<std::int32_t> ids;
  t.insert(positions, ids);
  t.insertBreakLine(0, ids[5 * 30 + 5], ids[20 * 30 + 17]);
  // The other diagonal of the first convex pair of triangles (side i lies opposite corner i).
  const Mesh& m = t.mesh();
  int flipped = 0;
  for (std::size_t k = 0; k < m.triangles.size() && flipped < 3; ++k) {
    const std::int32_t n = m.neighbours[k][0];
    if (n < 0) continue;
    int j = 0;
    while (j < 3 && m.neighbours[n][j] != static_cast<std::int32_t>(k)) ++j;
    if (j < 3 && t.flipTo(m.triangles[k].v[0], m.triangles[n].v[j]) == FlipOutcome::Flipped) ++flipped;
  }
  ASSERT_EQ(flipped, 3);
}

struct ExchangeCase {
  const char* name;
  int pairs;
  bool chained;  // each pair reuses a number of the one before, as renumbering a batch does
};

class NumberExchange : public ::testing::TestWithParam<ExchangeCase> {};

TEST_P(NumberExchange, BatchEqualsOneByOne) {
  Triangulation one, batch;
  ASSERT_NO_FATAL_FAILURE(build(one));
  ASSERT_NO_FATAL_FAILURE(build(batch));
  std::mt19937_64 rng(9);
  std::uniform_int_distribution<std::int32_t> vertex(0, one.vertexCount() - 1);
  std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
  for (int k = 0; k < GetParam().pairs; ++k) {
    const std::int32_t a = GetParam().chained && !pairs.empty() ? pairs.back().second : vertex(rng);
    pairs.emplace_back(a, k % 7 == 0 ? a : vertex(rng));  // some exchange a number with itself
  }
  std::vector<std::int32_t> written;
  batch.takeWritten(written);  // from here on, the changes are listed
  written.clear();
  const std::vector<Triangle> before = batch.mesh().triangles;
  for (const auto& [a, b] : pairs) one.swapNumbers(a, b);
  batch.swapNumbers(pairs);

  // A caller keeping a copy of the triangles hears of every one whose corners changed.
  if (batch.takeWritten(written)) {
    std::sort(written.begin(), written.end());
    for (std::size_t t = 0; t < before.size(); ++t) {
      const Triangle& now = batch.mesh().triangles[t];
      if (now.v[0] != before[t].v[0] || now.v[1] != before[t].v[1] || now.v[2] != before[t].v[2]) {
        EXPECT_TRUE(std::binary_search(written.begin(), written.end(), static_cast<std::int32_t>(t))) << t;
      }
    }
  }

  const Mesh &m1 = one.mesh(), &m2 = batch.mesh();
  ASSERT_EQ(m1.triangles.size(), m2.triangles.size());
  for (std::size_t t = 0; t < m1.triangles.size(); ++t)
    for (int i = 0; i < 3; ++i) ASSERT_EQ(m1.triangles[t].v[i], m2.triangles[t].v[i]) << t;
  ASSERT_EQ(m1.vertices.size(), m2.vertices.size());
  for (std::size_t v = 0; v < m1.vertices.size(); ++v) {
    ASSERT_EQ(m1.vertices[v].plan(), m2.vertices[v].plan()) << v;
    ASSERT_EQ(m1.vertexTriangle[v], m2.vertexTriangle[v]) << v;
  }
  EXPECT_EQ(one.chains(), batch.chains());
  // Undoing the flips names the vertices by their new numbers in both.
  one.undoFlips();
  batch.undoFlips();
  for (std::size_t t = 0; t < m1.triangles.size(); ++t)
    for (int i = 0; i < 3; ++i) ASSERT_EQ(one.mesh().triangles[t].v[i], batch.mesh().triangles[t].v[i]) << t;
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberExchange,
                         ::testing::Values(ExchangeCase{"one", 1, false}, ExchangeCase{"many", 500, false},
                                           ExchangeCase{"chained", 400, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tin::detail
